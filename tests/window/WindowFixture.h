#pragma once

#include "shell/ui/MainWindow.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>
#include <string>

class QWidget;

namespace dorvel::test {

// The installation folder the window tests run in: the built data folders
// (linked), so hand-off files and settings never touch the build's own.
const std::string& FixtureInstallation();
// The folder the tests' settings live in (never the user's).
const std::string& FixtureConfigFolder();
// Empties the editor's settings.
void ResetSettings();
// Writes one value of the editor's settings directly.
void PresetSetting(const QString& name, const QVariant& value);
QVariant StoredSetting(const QString& name);

// A started main window answered by a scripted user interface.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates and starts a window; the file association counts as set up.
    MainWindow& startWindow(const QStringList& arguments = {});
    // Closes the window as the author would (with the close query), then
    // drops it. True when it closed.
    bool closeWindow();

    template <typename T>
    T* control(const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    Workspace& workspace() { return window->workspace(); }
    std::string currentField(const std::string& field);
    std::string questionField(int n, const std::string& field);
    std::string detailsField(const std::string& field);

    ScriptedUserInterface ui;
    TempFolder dir;
    std::unique_ptr<MainWindow> window;
};

}  // namespace dorvel::test
