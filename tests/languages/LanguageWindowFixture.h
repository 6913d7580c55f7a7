#pragma once

#include "shell/ui/MainWindow.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QVariant>

#include <map>
#include <memory>
#include <string>

namespace dorvel::test {

// An installation folder for one test: the built data folders linked in,
// and DVLang either linked too or filled with the packs a test writes.
class LanguageInstallation {
public:
    explicit LanguageInstallation(bool builtPacks = true);
    ~LanguageInstallation();
    std::string path(const std::string& name = {}) const { return m_folder.path(name); }
    // Copies a built pack ("English (UK)") into DVLang.
    void copyBuiltPack(const std::string& language) const;
    // Writes a pack of the given plain text into DVLang.
    void writePack(const std::string& language, const std::string& text) const;

private:
    TempFolder m_folder;
};

void ResetSettings();
void PresetSetting(const QString& name, const QVariant& value);
QVariant StoredSetting(const QString& name);

// Every text a language pack can change, by component name: captions,
// hints, items and dialog titles and filters. Two snapshots are equal when
// nothing on screen was relabelled.
std::map<QString, QString> WindowTexts(const QWidget& window);

// Creates and starts a main window on the installation; the file
// association counts as set up and it is not the first start.
std::unique_ptr<MainWindow> StartWindow(ScriptedUserInterface& ui);

}  // namespace dorvel::test
