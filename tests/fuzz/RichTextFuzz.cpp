#include "platform/RichText.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

namespace {

// Text documents need a GUI application for fonts; one offscreen application serves every input.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "RichTextFuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)application;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureApplication();
    QTextDocument document;
    ReadRichText(QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size)), document);
    // Lay the result out as the help window would, so a document the layout cannot handle shows here too.
    document.setTextWidth(390);
    (void)document.size();
    return 0;
}
