#pragma once

#include <map>
#include <string>
#include <utility>

// What a web export writes into its test folder ("<start page>res") is listed
// there, so that the next export into the same folder removes exactly that
// and keeps whatever the author put into the folder.
namespace dorvel {

inline constexpr const char* kExportedListName = "exported-files.txt";

// The files of a test folder (button pictures as "buttons/NAME") with their
// time and size, to tell afterwards which ones an export wrote.
using FolderSnapshot = std::map<std::string, std::pair<long long, long long>>;
FolderSnapshot SnapshotTestFolder(const std::string& testFolder);

// Removes the files the last export wrote into `testFolder`, as its list
// names them. A folder written before exports kept a list loses the files an
// export makes by name (pages, scripts, button pictures); other files stay.
void RemoveEarlierExport(const std::string& testFolder);

// Writes the list: every file new or changed since `before`.
bool WriteExportedList(const std::string& testFolder, const FolderSnapshot& before);

}  // namespace dorvel
