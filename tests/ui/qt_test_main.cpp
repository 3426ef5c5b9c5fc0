#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Widgets need an application object; the offscreen platform stands in for a
// screen when the test is started outside CTest.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
