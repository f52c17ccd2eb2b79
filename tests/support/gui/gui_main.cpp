#include <gtest/gtest.h>

#include <QApplication>

// The GUI tests need a QApplication, and never a real display: they run on the offscreen
// platform unless told otherwise, test discovery at build time included.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
