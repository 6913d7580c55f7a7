#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

namespace dorvel {

bool WriteStoredFile(const std::string& path, std::string_view text, std::string* error)
{
    const int kind = StoredFileKind(path);
    if (kind < 0)
        return WriteFileBytes(path, text, error);
    return WriteFileBytes(path, ScrambleText(text, kind), error);
}

std::string ReadStoredFile(const std::string& path)
{
    std::string error;
    return ReadStoredFile(path, error);
}

std::string ReadStoredFile(const std::string& path, std::string& error)
{
    // Opened without waiting and checked before a byte is read: /dev/zero or
    // a huge file would otherwise be read until memory runs out, and a FIFO
    // would hang.
    error.clear();
    const Fd fd = OpenRegularFile(NativeSeparators(path));
    if (!fd.valid()) {
        error = LastErrorText();
        return {};
    }
    const std::int64_t size = SizeOf(fd.get());
    if (size < 0 || size > kMaxStoredFileSize) {
        error = size < 0 ? LastErrorText() : "larger than " + std::to_string(kMaxStoredFileSize >> 20) + " MB";
        return {};
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::int64_t n = ReadSome(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            error = LastErrorText();
            return {};
        }
        if (n == 0)
            break;  // shorter than it was a moment ago
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    const auto zero = bytes.find('\0');
    if (zero != std::string::npos)
        bytes.resize(zero);
    const int kind = StoredFileKind(path);
    if (kind < 0)
        return bytes;
    return UnscrambleText(bytes, kind);
}

}  // namespace dorvel
