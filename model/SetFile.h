#pragma once

#include <ctime>
#include <string>

namespace dorvel {

struct OpenSet;

enum class SetFileStatus {
    Ok,
    NotASet,       // damaged, or another kind of file
    Unreadable,    // the file could not be read (no permission, a folder, an I/O error)
    LaterVersion,  // made by a later version of the format
};

// Reads a set file into `set` (test details and question slots; the path and
// counters are left alone). On failure `set` is left cleared; for an
// unreadable file `readError` (when given) says why.
SetFileStatus ReadSetFile(const std::string& path, OpenSet& set, std::string* readError = nullptr);

// The text a set file holds: <vtDorvel> + test details + </vtDorvel>, after
// the questions and the save time have been written into the test details.
// `set.testDetails` is updated as saving does.
std::string PrepareSetFileText(OpenSet& set, std::time_t now);

// "yyyymmddhhnnss" and "h:mm am, dddd d mmmm, yyyy" of a local time.
std::string CreationDate(const std::tm& t);
std::string CreationDisplayDate(const std::tm& t);

}  // namespace dorvel
