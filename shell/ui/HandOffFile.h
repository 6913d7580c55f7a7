#pragma once

#include <string>
#include <vector>

// The hand-off file "filespec.pab" in the installation folder: where a second
// start leaves its two arguments when the running instance cannot take them
// over the local socket. Writers append under a lock file; the reader takes
// the whole file (reads and deletes it) under the same lock, so pairs written
// at the same time are neither mixed nor lost.
namespace dorvel {

struct HandOffPair {
    std::string p1;
    std::string p2;
};

std::string HandOffFilePath();

// Appends "<p1>...</p1><p2>...</p2>". False when it could not be written.
bool AppendHandOff(const std::string& file, const std::string& p1, const std::string& p2);

// Every complete pair in the file, in the order written; the file is
// deleted. A missing, unreadable or malformed file yields no pairs; an
// oversized file is deleted unread.
std::vector<HandOffPair> TakeHandOff(const std::string& file);

// A pair asks to open a set when p1 is "openShellCall" and p2 names an
// existing file with the extension .vtd.
bool IsOpenSetRequest(const std::string& p1, const std::string& p2);

}  // namespace dorvel
