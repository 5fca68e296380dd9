#include <gtest/gtest.h>

#include <QApplication>

// Every unit test runs inside one application object on the offscreen platform.
int main(int argc, char** argv)
{
    // Test discovery runs the executable outside the test environment; it still needs a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
