#include "export/ExportedFiles.h"

#include "export/CopyButtonImages.h"
#include "export/ExportWrites.h"
#include "export/StartPages.h"
#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"

#include <QDateTime>
#include <QFileInfo>

#include <regex>

namespace dorvel {

namespace {

const std::string kButtons = std::string(kButtonFolder) + "/";

// A name from the list: a plain file of the folder or of its button folder,
// never a way out of it.
bool SafeListedName(const std::string& name)
{
    const std::string rest = name.rfind(kButtons, 0) == 0 ? name.substr(kButtons.size()) : name;
    return !rest.empty() && rest != "." && rest != ".." && rest.find_first_of("/\\") == std::string::npos;
}

// The names an export gives its pages and scripts: q3.htm, p0.htm, q3s2.htm,
// q3fb1.htm, p1s4-r.htm, control.htm, p.js, blank.htm.
bool ExportPageName(const std::string& name)
{
    static const std::regex page(R"([pq][0-9]+([a-z][a-z0-9_]*)?(-r)?\.htm|control\.htm|p\.js|blank\.htm|frame\.htm)");
    return std::regex_match(name, page);
}

// What the last export wrote into a test folder: the names of its list, or
// without a list the names an export gives its pages and button pictures.
bool WrittenByExport(const std::string& name, const std::set<std::string>* listed)
{
    if (name == kExportedListName)
        return true;
    if (listed)
        return listed->count(name) > 0;
    if (name.rfind(kButtons, 0) == 0) {
        for (const std::string_view button : kButtonFiles) {
            if (name == kButtons + ButtonTargetName(button))
                return true;
        }
        return false;
    }
    return ExportPageName(name);
}

bool carryEntry(const std::string& from, const std::string& to, std::string& error)
{
    if (IsSymbolicLink(NativeSeparators(from)))
        return true;
    if (DirectoryExists(from)) {
        if (!DirectoryExists(to) && !CreateNewFolder(NativeSeparators(to))) {
            error = "cannot create the folder " + to + ": " + LastErrorText();
            return false;
        }
        for (const std::string& name : ListFolders(from)) {
            if (!carryEntry(JoinPath(from, name), JoinPath(to, name), error))
                return false;
        }
        for (const std::string& name : ListFiles(from)) {
            if (!carryEntry(JoinPath(from, name), JoinPath(to, name), error))
                return false;
        }
        return true;
    }
    if (MakeHardLink(NativeSeparators(from), NativeSeparators(to)))
        return true;
    std::string why;
    if (CopyFileChunked(from, to, &why, true))
        return true;
    error = "cannot keep " + from + ": " + why;
    return false;
}

}  // namespace

bool CarryOverAuthorFiles(const std::string& from, const std::string& to, std::string& error)
{
    std::set<std::string> listed;
    std::string text;
    const bool hasList = ReadFileBytes(JoinPath(from, kExportedListName), text);
    for (std::size_t start = 0; hasList && start < text.size();) {
        const auto end = text.find('\n', start);
        listed.insert(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    if (!DirectoryExists(to) && !CreateNewFolder(NativeSeparators(to))) {
        error = "cannot create the folder " + to + ": " + LastErrorText();
        return false;
    }
    for (const std::string& name : ListFolders(from)) {
        if (name == kButtonFolder)
            continue;
        if (!carryEntry(JoinPath(from, name), JoinPath(to, name), error))
            return false;
    }
    for (const std::string& prefix : {std::string(), kButtons}) {
        if (!prefix.empty() && (IsSymbolicLink(NativeSeparators(JoinPath(from, kButtonFolder))) || ListFiles(JoinPath(from, prefix)).empty()))
            continue;
        if (!prefix.empty() && !DirectoryExists(JoinPath(to, prefix)) && !CreateNewFolder(NativeSeparators(JoinPath(to, kButtonFolder)))) {
            error = "cannot create the folder " + JoinPath(to, kButtonFolder) + ": " + LastErrorText();
            return false;
        }
        for (const std::string& name : ListFiles(JoinPath(from, prefix))) {
            if (WrittenByExport(prefix + name, hasList ? &listed : nullptr))
                continue;
            if (!carryEntry(JoinPath(from, prefix + name), JoinPath(to, prefix + name), error))
                return false;
        }
    }
    return true;
}

FolderSnapshot SnapshotTestFolder(const std::string& testFolder)
{
    FolderSnapshot files;
    for (const std::string& prefix : {std::string(), kButtons}) {
        for (const std::string& name : ListFiles(JoinPath(testFolder, prefix))) {
            const QFileInfo info(toQString(JoinPath(testFolder, prefix + name)));
            files[prefix + name] = {info.lastModified().toMSecsSinceEpoch(), info.size()};
        }
    }
    files.erase(kExportedListName);
    return files;
}

void RemoveEarlierExport(const std::string& testFolder)
{
    // Nothing is removed through a link: the export refuses such a folder.
    const std::string folder = testFolder.substr(0, testFolder.find_last_not_of("/\\") + 1);
    if (IsSymbolicLink(folder) || IsSymbolicLink(JoinPath(folder, kButtonFolder)))
        return;
    const std::string list = JoinPath(testFolder, kExportedListName);
    std::string text;
    if (ReadFileBytes(list, text)) {
        std::size_t start = 0;
        while (start < text.size()) {
            const auto end = text.find('\n', start);
            const std::string name = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (SafeListedName(name))
                RemoveEntry(JoinPath(testFolder, name));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        RemoveEntry(list);
        return;
    }
    for (const std::string& name : ListFiles(testFolder)) {
        if (ExportPageName(name))
            RemoveEntry(JoinPath(testFolder, name));
    }
    for (const std::string_view name : kButtonFiles)
        RemoveEntry(JoinPath(testFolder, kButtons + ButtonTargetName(name)));
}

bool WriteExportedList(const std::string& testFolder, const FolderSnapshot& before)
{
    std::string text;
    for (const auto& [name, stamp] : SnapshotTestFolder(testFolder)) {
        const auto earlier = before.find(name);
        if (earlier == before.end() || earlier->second != stamp)
            text += name + "\n";
    }
    return WriteFileBytes(JoinPath(testFolder, kExportedListName), text);
}

}  // namespace dorvel
