#pragma once

#include <string>
#include <string_view>

namespace dorvel {

// A file that need not survive a crash: the web test the question player
// writes into its private folder and removes again. Written and checked as
// WriteFileBytes does (a failure keeps any earlier file and says why), but
// not forced onto the disk, which would cost a disk flush per page.
bool WriteScratchFileBytes(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace dorvel
