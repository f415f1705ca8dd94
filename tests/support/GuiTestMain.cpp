// Test main for everything that needs a QApplication: always the offscreen
// platform, so no test needs a display.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A scratch user's home and configuration folder: an editor whose folder
    // is not writable keeps its settings and data there, and a test must
    // never write into the real ones.
    const QTemporaryDir user;
    const QString config = user.path() + QStringLiteral("/config");
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("HOME", user.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
