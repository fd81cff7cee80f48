// One QApplication on the offscreen platform for the whole GUI suite.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Dates and numbers in the status bar follow a fixed locale in tests.
    qputenv("LANG", "pl_PL.UTF-8");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
