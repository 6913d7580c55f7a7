#include "building/QuestionPlayer.h"

#include "platform/UserInterface.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdlib>
#include <functional>
#include <vector>

namespace dorvel {

namespace {

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::vector<std::string> SplitList(std::string_view text, char separator)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = text.find(separator, start);
        const std::string_view part = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!part.empty())
            out.emplace_back(part);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return out;
}

std::string HomeSubfolder(const char* variable, const char* fallback)
{
    std::string folder = Env(variable);
    if (folder.empty() || !QDir::isAbsolutePath(toQString(folder)))
        folder = Env("HOME") + fallback;
    return folder;
}

std::vector<std::string> Folders(const char* variable, const char* fallback)
{
    std::vector<std::string> folders = SplitList(Env(variable), ':');
    if (folders.empty())
        folders = SplitList(fallback, ':');
    return folders;
}

std::vector<std::string> ConfigFolders()
{
    std::vector<std::string> out{HomeSubfolder("XDG_CONFIG_HOME", "/.config")};
    for (const std::string& f : Folders("XDG_CONFIG_DIRS", "/etc/xdg"))
        out.push_back(f);
    return out;
}

// Application folders, the user's first.
std::vector<std::string> ApplicationFolders()
{
    std::vector<std::string> out{JoinPath(HomeSubfolder("XDG_DATA_HOME", "/.local/share"), "applications")};
    for (const std::string& f : Folders("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        out.push_back(JoinPath(f, "applications"));
    return out;
}

// Calls visit(group, key, value) for every entry of a desktop-style key file.
void ReadKeyFile(const std::string& path, const std::function<void(std::string_view, std::string_view, std::string_view)>& visit)
{
    std::string text;
    if (!ReadFileBytes(path, text))
        return;
    std::string group;
    for (const std::string& raw : SplitList(text, '\n')) {
        std::string_view line = raw;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        while (!line.empty() && line.front() == ' ')
            line.remove_prefix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            group = std::string(line.substr(1, line.size() - 2));
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        std::string_view key = line.substr(0, eq);
        std::string_view value = line.substr(eq + 1);
        while (!key.empty() && key.back() == ' ')
            key.remove_suffix(1);
        while (!value.empty() && value.front() == ' ')
            value.remove_prefix(1);
        visit(group, key, value);
    }
}

// The .desktop file of a desktop id: "vendor-player.desktop" may also lie
// at "vendor/player.desktop".
std::string DesktopFileOf(const std::string& id)
{
    for (const std::string& folder : ApplicationFolders()) {
        std::string relative = id;
        for (;;) {
            const std::string candidate = JoinPath(folder, relative);
            if (FileExists(candidate))
                return candidate;
            const auto dash = relative.find('-');
            if (dash == std::string::npos)
                break;
            relative[dash] = '/';
        }
    }
    return {};
}

std::string ProgramOfId(const std::string& id)
{
    const std::string file = DesktopFileOf(id);
    return file.empty() ? std::string() : DesktopEntryProgram(file);
}

// The first id in `ids` (";"-separated) whose program is installed.
std::string FirstInstalled(std::string_view ids)
{
    for (const std::string& id : SplitList(ids, ';')) {
        const std::string program = ProgramOfId(id);
        if (!program.empty())
            return program;
    }
    return {};
}

std::vector<std::string> MimeAppsLists()
{
    std::vector<std::string> desktops;
    for (const std::string& d : SplitList(Env("XDG_CURRENT_DESKTOP"), ':'))
        desktops.push_back(LowerCase(d));
    std::vector<std::string> lists;
    auto addFolder = [&](const std::string& folder) {
        for (const std::string& d : desktops)
            lists.push_back(JoinPath(folder, d + "-mimeapps.list"));
        lists.push_back(JoinPath(folder, "mimeapps.list"));
    };
    for (const std::string& f : ConfigFolders())
        addFolder(f);
    for (const std::string& f : ApplicationFolders())
        addFolder(f);
    return lists;
}

std::string LookUpGroup(const std::vector<std::string>& files, std::string_view group, std::string_view mimeType)
{
    std::string found;
    for (const std::string& file : files) {
        ReadKeyFile(file, [&](std::string_view g, std::string_view key, std::string_view value) {
            if (found.empty() && g == group && key == mimeType)
                found = FirstInstalled(value);
        });
        if (!found.empty())
            break;
    }
    return found;
}

// Without a cache, a program is still found by the MimeType line of its entry.
std::string ScanDesktopEntries(std::string_view mimeType)
{
    for (const std::string& folder : ApplicationFolders()) {
        for (const std::string& name : ListFiles(folder)) {
            if (LowerCase(ExtractFileExt(name)) != ".desktop")
                continue;
            const std::string file = JoinPath(folder, name);
            bool handles = false;
            ReadKeyFile(file, [&](std::string_view g, std::string_view key, std::string_view value) {
                if (g != "Desktop Entry" || key != "MimeType")
                    return;
                for (const std::string& t : SplitList(value, ';'))
                    handles = handles || t == mimeType;
            });
            if (handles) {
                const std::string program = DesktopEntryProgram(file);
                if (!program.empty())
                    return program;
            }
        }
    }
    return {};
}

// The first word of an Exec value, with its quoting and escapes undone.
std::string FirstExecWord(std::string_view exec)
{
    std::string word;
    std::size_t i = 0;
    while (i < exec.size() && exec[i] == ' ')
        ++i;
    if (i < exec.size() && exec[i] == '"') {
        for (++i; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size())
                ++i;
            word += exec[i];
        }
        return i < exec.size() ? word : std::string();
    }
    for (; i < exec.size() && exec[i] != ' '; ++i)
        word += exec[i];
    return word;
}

// Undoes the escapes of a key file's string value.
std::string UnescapeValue(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char c = value[++i];
            switch (c) {
            case 's': out += ' '; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case '\\': out += '\\'; break;
            default:
                out += '\\';
                out += c;
            }
        } else {
            out += value[i];
        }
    }
    return out;
}

}  // namespace

std::string DesktopEntryProgram(const std::string& desktopFile)
{
    std::string exec;
    bool hidden = false;
    ReadKeyFile(desktopFile, [&](std::string_view g, std::string_view key, std::string_view value) {
        if (g != "Desktop Entry")
            return;
        if (key == "Exec" && exec.empty())
            exec = UnescapeValue(value);
        if (key == "Hidden" && value == "true")
            hidden = true;
    });
    if (hidden)
        return {};
    const std::string program = FirstExecWord(exec);
    if (program.empty())
        return {};
    const QString path = QDir::isAbsolutePath(toQString(program))
        ? toQString(program)
        : QStandardPaths::findExecutable(toQString(program));
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isExecutable())
        return {};
    return fromQString(info.absoluteFilePath());
}

std::string AssociatedProgram(std::string_view mimeType)
{
    const std::vector<std::string> lists = MimeAppsLists();
    std::string program = LookUpGroup(lists, "Default Applications", mimeType);
    if (program.empty())
        program = LookUpGroup(lists, "Added Associations", mimeType);
    if (program.empty()) {
        std::vector<std::string> caches;
        for (const std::string& folder : ApplicationFolders())
            caches.push_back(JoinPath(folder, "mimeinfo.cache"));
        program = LookUpGroup(caches, "MIME Cache", mimeType);
    }
    if (program.empty())
        program = ScanDesktopEntries(mimeType);
    return program;
}

std::string PlayerFileName()
{
#ifdef _WIN32
    return "VTX.exe";
#else
    return "VTX";
#endif
}

std::string PlayerStartFilePath()
{
    return HandOverFolder() + "VTX.txt";
}

QuestionPlayer FindQuestionPlayer()
{
    const std::string associated = AssociatedProgram(kBankMimeType);
    if (!associated.empty() && FileExists(associated))
        return {associated, true};
    return {InstallationFolder() + PlayerFileName(), false};
}

bool StartQuestionPlayer(UserInterface& ui, const std::string& bankPath, const QuestionPlayer& player)
{
    // The player may start in another folder: it gets the bank's full path.
    const std::string bank = fromQString(QFileInfo(toQString(NativeSeparators(bankPath))).absoluteFilePath());
    if (player.viaAssociation)
        return ui.openWithSystem(bank);
    if (!WriteStoredFile(PlayerStartFilePath(), "<f>" + bank + "</f>"))
        return false;
    return ui.openWithSystem(player.path);
}

}  // namespace dorvel
