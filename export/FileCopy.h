#pragma once

#include <cstdint>
#include <string>

// Copying file data between open files in bounded memory: media files in a
// bank may be far larger than what should be held in memory at once.
namespace dorvel {

// An open file descriptor, closed when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1)
        : m_fd(fd)
    {
    }
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& other) noexcept
        : m_fd(other.m_fd)
    {
        other.m_fd = -1;
    }
    Fd& operator=(Fd&& other) noexcept;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes the descriptor; false when closing reported a failed write.
    bool reset();

private:
    int m_fd;
};

// Only a regular file opens (storage/RegularFile.h): never a device or FIFO.
Fd OpenForReading(const std::string& path);
// Size of an open file, -1 when unknown.
std::int64_t SizeOf(int fd);
bool WriteAll(int fd, const char* data, std::size_t size);
// Copies up to `limit` bytes (everything up to the end when limit < 0) from
// the current position of `src` to the current position of `dst`. Returns the
// bytes copied (fewer than limit only at the end of src), -1 on a failure.
// Memory use is one fixed buffer of a few megabytes, whatever the size.
std::int64_t CopyBytes(int src, int dst, std::int64_t limit);
// The text of the last system error.
std::string LastErrorText();

}  // namespace dorvel
