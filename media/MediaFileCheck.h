#pragma once

#include <string>

namespace dorvel {

// False when a picture, video or sound file does not start with the
// signature of its extension; true otherwise (also when unreadable).
bool CheckMediaFile(const std::string& path);

}  // namespace dorvel
