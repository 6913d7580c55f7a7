#pragma once

#include <ctime>
#include <string>

namespace dorvel {

struct OpenSet;

enum class SetFileStatus {
    Ok,
    NotASet,       // unreadable, damaged, or another kind of file
    LaterVersion,  // made by a later version of the format
};

// Reads a set file into `set` (test details and question slots; the path and
// counters are left alone). On failure `set` is left cleared.
SetFileStatus ReadSetFile(const std::string& path, OpenSet& set);

// The text a set file holds: <vtDorvel> + test details + </vtDorvel>, after
// the questions and the save time have been written into the test details.
// `set.testDetails` is updated as saving does.
std::string PrepareSetFileText(OpenSet& set, std::time_t now);

// "yyyymmddhhnnss" and "h:mm am, dddd d mmmm, yyyy" of a local time.
std::string CreationDate(const std::tm& t);
std::string CreationDisplayDate(const std::tm& t);

}  // namespace dorvel
