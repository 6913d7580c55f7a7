#include "export/FileCopy.h"

#include "storage/FileUtils.h"
#include "storage/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvel {

Fd& Fd::operator=(Fd&& other) noexcept
{
    if (this != &other) {
        reset();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

bool Fd::reset()
{
    const bool ok = m_fd < 0 || ::close(m_fd) == 0;
    m_fd = -1;
    return ok;
}

Fd OpenForReading(const std::string& path)
{
    return Fd(OpenRegularFile(path));
}

std::int64_t SizeOf(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::int64_t CopyBytes(int src, int dst, std::int64_t limit)
{
    // Measured against cat on ext4: what costs is the page cache of the
    // destination, which takes large pages only for large writes that start
    // on a matching boundary. A bank's data starts behind its header, at an
    // odd offset, so a short first piece brings the writes into step; after
    // that every write is one whole, aligned buffer. (Kernel-side copying
    // cannot do that without also misaligning the source, and was slower.)
    constexpr std::int64_t kBuffer = std::int64_t(2) << 20;
    const std::unique_ptr<char[]> buffer(new char[kBuffer]);
    const off_t position = ::lseek(dst, 0, SEEK_CUR);
    std::int64_t lead = position > 0 ? (kBuffer - position % kBuffer) % kBuffer : 0;
    std::int64_t copied = 0;
    for (;;) {
        std::int64_t want = lead > 0 ? lead : kBuffer;
        if (limit >= 0)
            want = std::min(want, limit - copied);
        if (want == 0)
            return copied;
        const ssize_t n = ::read(src, buffer.get(), static_cast<std::size_t>(want));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            return copied;
        if (!WriteAll(dst, buffer.get(), static_cast<std::size_t>(n)))
            return -1;
        copied += n;
        lead = std::max<std::int64_t>(0, lead - n);
    }
}

std::string LastErrorText()
{
    return std::strerror(errno);
}

}  // namespace dorvel
