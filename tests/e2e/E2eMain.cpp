#include <gtest/gtest.h>

#include <QCoreApplication>

// The end-to-end tests drive the program through X tools run as child processes; they need an
// application object for that, but no display of their own.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
