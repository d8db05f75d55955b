#include <QApplication>
#include <gtest/gtest.h>

// Runs the tests inside a headless QApplication, so that widgets, fonts and image
// plugins work as they do in the program.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
