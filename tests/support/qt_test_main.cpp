#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// The toolkit needs an application object; without a display, the offscreen
// platform stands in for the screen.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
