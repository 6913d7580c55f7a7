#pragma once

#include <string>

namespace dorvel {

// The bank named in a player start file: the editor writes "<f>" + bank path
// + "</f>" into "VTX.txt" beside the player before starting it directly.
// "" when the file is missing or names no bank.
std::string ReadPlayerStartFile(const std::string& startFilePath);

}  // namespace dorvel
