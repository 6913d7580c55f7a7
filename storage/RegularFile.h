#pragma once

#include <string>

// Opening a file whose bytes are read whole or copied: a picture, a sound, a
// bank. Paths in a set, a template or a bank may name anything; only a
// regular file is read, so a device (/dev/zero) cannot fill the disk and a
// FIFO cannot hang a build or an export. This is the platform's part; the
// rest of the program only sees descriptors.
namespace dorvel {

// A descriptor open for reading, or -1 when the path cannot be opened
// (errno tells why) or is not a regular file (errno EINVAL). Opening never waits: a FIFO
// without a writer is refused at once. The check is made on the open file,
// so the path cannot be swapped between the check and the reading.
int OpenRegularFile(const std::string& path);

// True when the path names a regular file (following links) now.
bool IsRegularFile(const std::string& path);

}  // namespace dorvel
