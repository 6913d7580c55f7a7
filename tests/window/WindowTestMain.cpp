#include "tests/window/WindowFixture.h"

#include <QApplication>
#include <QSettings>

#include <gtest/gtest.h>

// The window tests need one application object for the whole run, and their
// own settings folder before any settings are opened.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string& config = dorvel::test::FixtureConfigFolder();
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config));
    // Recovery copies too stay out of the user's own folders.
    // (A child run of these tests is handed its parent's, to leave copies there.)
    const QByteArray parentData = qgetenv("DORVEL_TEST_DATA_HOME");
    qputenv("XDG_DATA_HOME", parentData.isEmpty() ? QByteArray::fromStdString(config + "/data") : parentData);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(config));
    // The editor speaks the system's language until the author chooses one:
    // these tests read the English (UK) pack's texts, whatever the machine's.
    if (qEnvironmentVariableIsEmpty("DORVEL_LANGUAGE_CHILD")) {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            qunsetenv(name);
        qputenv("LANG", "C.UTF-8");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
