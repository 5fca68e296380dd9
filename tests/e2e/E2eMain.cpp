#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTemporaryDir>

// The end-to-end tests drive the program through X tools run as child processes, and draw the texts
// they expect to read on the screen themselves. The application object they need for that renders
// off-screen: the tests never open a display of their own.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit wants a private runtime folder: a fresh one for this run, unless one is given.
    const QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
