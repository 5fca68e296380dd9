#include "platform/RichText.h"

#include <QColor>
#include <QFont>
#include <QMap>
#include <QStringList>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>
#include <vector>

// A streaming reader for the rich-text subset the program's documents use: groups, font and colour
// tables, bold, size, colour, paragraphs and the common character escapes. Nesting is kept on an
// explicit stack of saved group states, so no input can exhaust the call stack.

namespace {

constexpr int kTextHalfPoints = 24;       // 12 pt: the size of a document's text until it asks otherwise
constexpr int kSmallestHalfPoints = 2;    // 1 pt
constexpr int kLargestHalfPoints = 3276;  // 1638 pt
constexpr long long kParameterLimit = 999'999'999;  // longer numbers saturate instead of overflowing
constexpr int kDefaultFont = -1;                    // the document's default font, whatever \deff names
constexpr int kUnicodeLimit = 0xFFFF;
constexpr int kUnicodeWrap = 0x10000;  // \uN is a signed 16-bit number: -N stands for 65536 - N

enum class Destination { Text, FontTable, ColourTable, Skipped };

// The character properties that a group saves on `{` and restores on `}`.
struct Character {
    int font = kDefaultFont;
    int halfPoints = kTextHalfPoints;
    int colour = 0;
    bool bold = false;

    bool operator==(const Character&) const = default;
};

struct GroupState {
    Character character;
    Destination destination = Destination::Text;
    int unicodeFallback = 1;  // how many characters after each \uN stand in for it (\ucN)
};

struct Font {
    QString family;
    QFont::StyleHint hint = QFont::AnyStyle;
};

// A font-table entry while its words and name are being read.
struct PendingFont {
    int number = -1;
    Font font;
};

// A colour-table entry while its components are being read; an entry with none is the default colour.
struct PendingColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool given = false;
};

struct SymbolWord {
    QStringView word;
    char16_t character = 0;
};

constexpr SymbolWord kSymbolWords[] = {
    {u"tab", u'\t'},          {u"line", 0x2028},       {u"emdash", 0x2014},
    {u"endash", 0x2013},      {u"lquote", 0x2018},     {u"rquote", 0x2019},
    {u"ldblquote", 0x201C},   {u"rdblquote", 0x201D},  {u"bullet", 0x2022},
};

struct FamilyWord {
    QStringView word;
    QFont::StyleHint hint = QFont::AnyStyle;
};

constexpr FamilyWord kFamilyWords[] = {
    {u"fnil", QFont::AnyStyle},   {u"froman", QFont::Serif},   {u"fswiss", QFont::SansSerif},
    {u"fmodern", QFont::Monospace}, {u"fscript", QFont::Cursive}, {u"fdecor", QFont::Decorative},
};

// Groups whose content is never body text, even when a writer leaves out the \* marker.
constexpr QStringView kSkippedDestinations[] = {
    u"info", u"stylesheet", u"pict", u"object", u"header", u"footer", u"footnote",
};

// Windows-1252 for the bytes 0x80-0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t FromWindows1252(int byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte);
}

// Control characters and the characters the text document reserves for its own structure (paragraph
// and frame separators, object placeholders) never reach it as text.
bool IsTextCharacter(char16_t c)
{
    if (c == u'\t')
        return true;
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
        return false;
    return c != 0x2029 && c != 0xFDD0 && c != 0xFDD1 && c != 0xFFFC;
}

bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int HexValue(char16_t c)
{
    if (IsDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

class RichTextReader {
public:
    RichTextReader(const QString& source, QTextDocument& document)
        : FSource(source), FDocument(document), FCursor(&document)
    {
    }

    void Read()
    {
        // Loading is not an edit the user could undo, and one edit block lays the document out once.
        const bool undoRedo = FDocument.isUndoRedoEnabled();
        FDocument.setUndoRedoEnabled(false);
        FDocument.clear();
        FCursor.beginEditBlock();
        while (!AtEnd())
            ReadToken();
        Flush();
        FCursor.setBlockCharFormat(Format(FState.character));
        FCursor.endEditBlock();
        FDocument.setUndoRedoEnabled(undoRedo);
    }

private:
    // ---- Reading the source

    bool AtEnd() const { return FPosition >= FSource.size(); }
    char16_t Peek(qsizetype offset = 0) const
    {
        return FPosition + offset < FSource.size() ? FSource[FPosition + offset].unicode() : char16_t(0);
    }

    void ReadToken()
    {
        const char16_t c = Peek();
        ++FPosition;
        switch (c) {
        case u'{':
            FFallbackToSkip = 0;
            OpenGroup();
            break;
        case u'}':
            FFallbackToSkip = 0;
            CloseGroup();
            break;
        case u'\\':
            ReadControl();
            break;
        case u'\r':
        case u'\n':
            break;  // line ends in the source only wrap it
        default:
            if (!SkipFallback())
                Put(c);
        }
    }

    void ReadControl()
    {
        if (AtEnd())
            return;
        const char16_t c = Peek();
        if (IsLetter(c)) {
            ReadControlWord();
            return;
        }
        ++FPosition;
        if (c == u'\'') {
            ReadHexByte();
            return;
        }
        if (!SkipFallback())
            ApplySymbol(c);
    }

    void ReadControlWord()
    {
        const qsizetype start = FPosition;
        while (IsLetter(Peek()))
            ++FPosition;
        const QStringView word = QStringView(FSource).mid(start, FPosition - start);
        const std::optional<int> parameter = ReadParameter();
        if (Peek() == u' ')
            ++FPosition;  // the space that ends a control word belongs to it
        if (!SkipFallback())
            ApplyWord(word, parameter);
    }

    std::optional<int> ReadParameter()
    {
        const bool negative = Peek() == u'-' && IsDigit(Peek(1));
        if (negative)
            ++FPosition;
        if (!IsDigit(Peek()))
            return std::nullopt;
        long long value = 0;
        while (IsDigit(Peek())) {
            value = std::min(value * 10 + (Peek() - u'0'), kParameterLimit);
            ++FPosition;
        }
        return int(negative ? -value : value);
    }

    // \'hh: one byte of the document's code page. An escape cut short shows nothing, and whatever
    // follows it is read as usual.
    void ReadHexByte()
    {
        int byte = 0;
        for (int digit = 0; digit < 2; ++digit) {
            const int value = HexValue(Peek());
            if (value < 0)
                return;
            byte = byte * 16 + value;
            ++FPosition;
        }
        if (!SkipFallback())
            Put(FromWindows1252(byte));
    }

    // After \uN the reader drops the stand-in characters meant for readers without Unicode; a control
    // word, a symbol or an escaped byte counts as one, and a brace ends the stand-ins early.
    bool SkipFallback()
    {
        if (FFallbackToSkip == 0)
            return false;
        --FFallbackToSkip;
        return true;
    }

    // ---- Groups

    void OpenGroup() { FSaved.push_back(FState); }

    void CloseGroup()
    {
        if (FSaved.empty())
            return;  // a stray closing brace
        if (FState.destination == Destination::FontTable)
            CommitFont();
        FState = FSaved.back();
        FSaved.pop_back();
    }

    // ---- Control words and symbols

    void ApplySymbol(char16_t c)
    {
        switch (c) {
        case u'\\':
        case u'{':
        case u'}':
            Put(c);
            break;
        case u'~':
            Put(0x00A0);
            break;
        case u'*':
            FState.destination = Destination::Skipped;
            break;
        case u'\r':
        case u'\n':
            if (FState.destination == Destination::Text)
                EndParagraph();  // a backslash before a line end is a paragraph mark
            break;
        default:
            break;
        }
    }

    void ApplyWord(QStringView word, std::optional<int> parameter)
    {
        if (word == u"bin") {
            SkipBinary(parameter);
            return;
        }
        if (FState.destination == Destination::Skipped)
            return;
        for (const SymbolWord& symbol : kSymbolWords) {
            if (word == symbol.word) {
                Put(symbol.character);
                return;
            }
        }
        if (word == u"u") {
            PutUnicode(parameter);
        } else if (word == u"uc") {
            FState.unicodeFallback = std::max(parameter.value_or(1), 0);
        } else if (word == u"fonttbl") {
            FState.destination = Destination::FontTable;
        } else if (word == u"colortbl") {
            FState.destination = Destination::ColourTable;
        } else if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), word) !=
                   std::end(kSkippedDestinations)) {
            FState.destination = Destination::Skipped;
        } else if (FState.destination == Destination::FontTable) {
            ApplyFontTableWord(word, parameter);
        } else if (FState.destination == Destination::ColourTable) {
            ApplyColourTableWord(word, parameter);
        } else {
            ApplyTextWord(word, parameter);
        }
    }

    // Paragraph words other than \par (\pard among them) fall to the unknown-word rule: the reader
    // keeps no paragraph properties.
    void ApplyTextWord(QStringView word, std::optional<int> parameter)
    {
        Character& character = FState.character;
        if (word == u"par") {
            EndParagraph();
        } else if (word == u"b") {
            character.bold = parameter.value_or(1) != 0;
        } else if (word == u"fs") {
            character.halfPoints =
                std::clamp(parameter.value_or(kTextHalfPoints), kSmallestHalfPoints, kLargestHalfPoints);
        } else if (word == u"cf") {
            if (parameter && *parameter >= 0 && std::size_t(*parameter) < FColours.size())
                character.colour = *parameter;
        } else if (word == u"f") {
            if (parameter && FFonts.contains(*parameter))
                character.font = *parameter;
        } else if (word == u"deff") {
            if (parameter && *parameter >= 0)
                FDefaultFont = *parameter;
        } else if (word == u"plain") {
            character = Character{};
        }
    }

    void ApplyFontTableWord(QStringView word, std::optional<int> parameter)
    {
        if (word == u"f") {
            CommitFont();
            FPendingFont.number = parameter && *parameter >= 0 ? *parameter : -1;
            return;
        }
        for (const FamilyWord& family : kFamilyWords) {
            if (word == family.word)
                FPendingFont.font.hint = family.hint;
        }
    }

    void ApplyColourTableWord(QStringView word, std::optional<int> parameter)
    {
        int* component = word == u"red"     ? &FPendingColour.red
                         : word == u"green" ? &FPendingColour.green
                         : word == u"blue"  ? &FPendingColour.blue
                                            : nullptr;
        if (component == nullptr)
            return;
        *component = std::clamp(parameter.value_or(0), 0, 255);
        FPendingColour.given = true;
    }

    void SkipBinary(std::optional<int> parameter)
    {
        if (parameter && *parameter > 0)
            FPosition += std::min<qsizetype>(*parameter, FSource.size() - FPosition);
    }

    void PutUnicode(std::optional<int> parameter)
    {
        if (!parameter)
            return;
        const int code = *parameter < 0 ? *parameter + kUnicodeWrap : *parameter;
        if (code >= 0 && code <= kUnicodeLimit)
            Put(char16_t(code));
        FFallbackToSkip = FState.unicodeFallback;
    }

    // ---- Tables

    void CommitFont()
    {
        const QString family = FPendingFont.font.family.trimmed();
        if (family.isEmpty())
            return;
        if (FPendingFont.number >= 0)
            FFonts.insert(FPendingFont.number, Font{family, FPendingFont.font.hint});
        FPendingFont = PendingFont{};
    }

    void CommitColour()
    {
        if (FPendingColour.given)
            FColours.emplace_back(QColor(FPendingColour.red, FPendingColour.green, FPendingColour.blue));
        else
            FColours.emplace_back(std::nullopt);
        FPendingColour = PendingColour{};
    }

    // ---- Text

    // One character of the current destination: body text, a font name, or a table's separator.
    void Put(char16_t c)
    {
        if (!IsTextCharacter(c))
            return;
        switch (FState.destination) {
        case Destination::Text:
            if (!FRun.isEmpty() && FRunCharacter != FState.character)
                Flush();
            FRunCharacter = FState.character;
            FRun += QChar(c);
            break;
        case Destination::FontTable:
            if (c == u';')
                CommitFont();
            else
                FPendingFont.font.family += QChar(c);
            break;
        case Destination::ColourTable:
            if (c == u';')
                CommitColour();
            break;
        case Destination::Skipped:
            break;
        }
    }

    void Flush()
    {
        if (FRun.isEmpty())
            return;
        FCursor.insertText(FRun, Format(FRunCharacter));
        FRun.clear();
    }

    // A paragraph's mark carries the character format in force where it ends, which sets the height
    // of an empty paragraph.
    void EndParagraph()
    {
        Flush();
        const QTextCharFormat format = Format(FState.character);
        FCursor.setBlockCharFormat(format);
        FCursor.insertBlock(QTextBlockFormat(), format);
    }

    QTextCharFormat Format(const Character& character) const
    {
        const auto font = FFonts.constFind(character.font == kDefaultFont ? FDefaultFont : character.font);
        const bool known = font != FFonts.constEnd();
        QTextCharFormat format;
        format.setFontFamilies(QStringList{known ? font->family : FDocument.defaultFont().family()});
        format.setFontStyleHint(known ? font->hint : QFont::AnyStyle);
        format.setFontPointSize(character.halfPoints / 2.0);
        format.setFontWeight(character.bold ? QFont::Bold : QFont::Normal);
        format.setForeground(TextColour(character.colour));
        return format;
    }

    // An empty colour-table entry, or no table at all, means the default text colour, black.
    QColor TextColour(int index) const
    {
        if (std::size_t(index) < FColours.size() && FColours[std::size_t(index)])
            return *FColours[std::size_t(index)];
        return QColor(Qt::black);
    }

    const QString& FSource;
    QTextDocument& FDocument;
    QTextCursor FCursor;
    qsizetype FPosition = 0;

    GroupState FState;
    std::vector<GroupState> FSaved;
    int FFallbackToSkip = 0;

    QMap<int, Font> FFonts;
    int FDefaultFont = 0;
    PendingFont FPendingFont;
    std::vector<std::optional<QColor>> FColours;
    PendingColour FPendingColour;

    QString FRun;
    Character FRunCharacter;
};

} // namespace

void ReadRichText(const QString& source, QTextDocument& document)
{
    RichTextReader(source, document).Read();
}
