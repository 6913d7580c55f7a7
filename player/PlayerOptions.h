#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dorvel {

// How the player was started. The desktop starts it with a bank path; the
// editor starts it without arguments after writing the start file; scripts
// and tests add options.
struct PlayerOptions {
    std::string bankPath;     // "" : take the bank from the start file
    bool openBrowser = true;  // false: print the test's address instead
    bool window = true;       // false: no window and no message boxes
    std::uint16_t port = 0;   // 0: any free port
    bool fromFiles = false;   // open the test from its folder instead of serving it
};

struct ParsedPlayerOptions {
    PlayerOptions options;
    std::string error;  // not empty: the arguments were not understood
    bool help = false;
};

// Parses the words after the program name:
// [--no-open] [--no-window] [--port N] [--files] [--] [BANK]
ParsedPlayerOptions ParsePlayerOptions(const std::vector<std::string>& args);

// The usage text for --help and for arguments that were not understood.
const char* PlayerUsage();

}  // namespace dorvel
