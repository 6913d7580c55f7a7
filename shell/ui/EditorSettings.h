#pragma once

#include "shell/ui/RecentFiles.h"

#include <QSettings>

#include <memory>
#include <optional>
#include <string>

namespace dorvel {

// The per-user settings of the editor: the key "Software\BorvaneVantricDV"
// with its values and the sub-key RecentFiles. On Linux this is the file
// Software/BorvaneVantricDV.conf under the user's configuration folder
// ($XDG_CONFIG_HOME, or a folder given by QSettings::setPath in tests).
class EditorSettings {
public:
    EditorSettings();
    ~EditorSettings();

    // A value counts only when it is stored with the expected type: an
    // integer must read as a whole decimal number.
    std::optional<int> readInt(const char* name) const;
    std::optional<std::string> readString(const char* name) const;
    void writeInt(const char* name, int value);
    void writeString(const char* name, const std::string& value);

    RecentFiles::Entries readRecentFiles() const;
    // False when the settings could not be written (which callers ignore).
    bool writeRecentFiles(const RecentFiles::Entries& entries);

    bool sync();
    std::string fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace dorvel
