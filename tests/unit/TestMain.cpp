#include <gtest/gtest.h>

#include "platform/Forms.h"

#include <QApplication>

#include <cstdio>

namespace {
QtMessageHandler PreviousHandler = nullptr;

// The offscreen platform has no window stacking and says so each time a window is raised.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("does not support raise()")))
        return;
    if (PreviousHandler)
        PreviousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
} // namespace

// Every unit test runs inside one application object on the offscreen platform, started as the program
// starts it (style, colours and fonts).
int main(int argc, char** argv)
{
    // Test discovery runs the executable outside the test environment; it still needs a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    PreviousHandler = qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    Application->Initialize();
    return RUN_ALL_TESTS();
}
