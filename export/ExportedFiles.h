#pragma once

#include <map>
#include <set>
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

// Gives the test folder `to`, where a new export is about to be written,
// what the author put into `from` (the earlier test folder): every file and
// folder the last export did not write (as for RemoveEarlierExport), links
// left out. Files get a second name where the file system allows, else a
// copy. False, with `error`, when one could not be carried.
bool CarryOverAuthorFiles(const std::string& from, const std::string& to, std::string& error);

// Writes the list: every file new or changed since `before`.
bool WriteExportedList(const std::string& testFolder, const FolderSnapshot& before);

}  // namespace dorvel
