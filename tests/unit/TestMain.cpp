#include <gtest/gtest.h>

#include "platform/Forms.h"

#include <QApplication>

// Every unit test runs inside one application object on the offscreen platform, started as the program
// starts it (style, colours and fonts).
int main(int argc, char** argv)
{
    // Test discovery runs the executable outside the test environment; it still needs a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    Application->Initialize();
    return RUN_ALL_TESTS();
}
