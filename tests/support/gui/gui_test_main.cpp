#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// Window tests need a QApplication. They draw off screen unless a display is asked for, also
// when test discovery runs the program without the suite's environment.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // What the program keeps in the user's folders goes to a test location, not the user's own.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
