#pragma once

#include "platform/SystemFiles.h"

#include <cstdint>

// Copying file data between open files in bounded memory: media files in a
// bank may be far larger than what should be held in memory at once.
namespace dorvel {

// Copies up to `limit` bytes (everything up to the end when limit < 0) from
// the current position of `src` to the current position of `dst`. Returns the
// bytes copied (fewer than limit only at the end of src), -1 on a failure.
// Memory use is one fixed buffer of a few megabytes, whatever the size.
std::int64_t CopyBytes(int src, int dst, std::int64_t limit);

}  // namespace dorvel
