// The switch block's address setter on any text, for any number of switches and either switch sense:
// after every call the stored text is upper-case hexadecimal without leading zeros whose value lies
// within the switch mask, or the call raised EConvertError (exactly when the text holds more than
// eight significant hexadecimal digits) and changed nothing.
//
// Input: one byte for NumSwitches, one byte whose low bits give OnIsOne and LeftToRight, then the texts
// to set, one per line, as UTF-8.

#include "FuzzPlatform.h"

#include "components/SettingWidgets.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Broken(const char* what, const QString& text, const TBaseAddress& block)
{
    std::fprintf(stderr, "BaseAddressStr: %s (text set: \"%s\", stored: \"%s\", %d switches)\n", what,
                 qPrintable(text), qPrintable(block.BaseAddressStr()), block.NumSwitches());
    std::abort();
}

bool IsHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

// The hexadecimal digits a text holds once ASCII letters are upper case, leading zeros dropped.
qsizetype SignificantDigits(const QString& text, bool& anyDigit)
{
    qsizetype count = 0;
    anyDigit = false;
    for (QChar c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
        if (!IsHexDigit(c))
            continue;
        if (count > 0 || c != u'0')
            ++count;
        anyDigit = true;
    }
    return count;
}

uint32_t MaskOf(int switches)
{
    uint32_t mask = 0;
    for (int j = 0; j < switches; ++j)
        mask |= 1u << (9 - j);
    return mask;
}

void CheckStored(const TBaseAddress& block, const QString& text)
{
    const QString& stored = block.BaseAddressStr();
    if (stored.isEmpty() || !std::all_of(stored.begin(), stored.end(), IsHexDigit))
        Broken("the stored text is not upper-case hexadecimal", text, block);
    if (stored.size() > 1 && stored[0] == u'0')
        Broken("the stored text has a leading zero", text, block);
    bool ok = false;
    const uint32_t value = stored.toUInt(&ok, 16);
    if (!ok || (value & ~MaskOf(block.NumSwitches())) != 0)
        Broken("the stored value lies outside the switch mask", text, block);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    EnsurePlatform();
    TBaseAddress block(nullptr);
    block.SetNumSwitches(data[0]);
    block.SetOnIsOne((data[1] & 1) != 0);
    block.SetLeftToRight((data[1] & 2) != 0);
    if (block.NumSwitches() < TBaseAddress::MinSwitches || block.NumSwitches() > TBaseAddress::MaxSwitches)
        Broken("NumSwitches is outside the switches a block can have", QString(), block);
    CheckStored(block, QString());

    const QByteArray texts(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
    for (const QByteArray& line : texts.split('\n')) {
        const QString text = QString::fromUtf8(line);
        const QString before = block.BaseAddressStr();
        bool anyDigit = false;
        const bool tooLong = SignificantDigits(text, anyDigit) > 8;
        try {
            block.SetBaseAddressStr(text);
        } catch (const EConvertError&) {
            if (!tooLong)
                Broken("a text of at most eight significant digits raised", text, block);
            if (block.BaseAddressStr() != before)
                Broken("a text that raised changed the stored text", text, block);
            continue;
        }
        if (tooLong)
            Broken("a text of more than eight significant digits did not raise", text, block);
        if (!anyDigit && block.BaseAddressStr() != before)
            Broken("a text without hexadecimal digits changed the stored text", text, block);
        CheckStored(block, text);
    }
    return 0;
}
