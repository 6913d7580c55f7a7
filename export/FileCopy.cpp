#include "export/FileCopy.h"

#include "storage/FileUtils.h"

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
    return Fd(::open(NativeSeparators(path).c_str(), O_RDONLY | O_CLOEXEC));
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
    constexpr std::int64_t kStep = std::int64_t(1) << 30;
    constexpr std::size_t kBuffer = std::size_t(1) << 20;
    std::int64_t copied = 0;
    auto wanted = [&]() -> std::int64_t { return limit < 0 ? kStep : std::min(limit - copied, kStep); };

#ifdef __linux__
    // The kernel copies without passing the bytes through this process.
    for (;;) {
        const std::int64_t want = wanted();
        if (want == 0)
            return copied;
        const ssize_t n = ::copy_file_range(src, nullptr, dst, nullptr, static_cast<std::size_t>(want), 0);
        if (n > 0) {
            copied += n;
            continue;
        }
        if (n == 0)
            return copied;
        if (errno == EINTR)
            continue;
        // Not possible between these two files: read and write instead.
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EBADF
            || errno == EPERM)
            break;
        return -1;
    }
#endif

    const std::unique_ptr<char[]> buffer(new char[kBuffer]);
    for (;;) {
        const auto want = static_cast<std::size_t>(std::min<std::int64_t>(wanted(), kBuffer));
        if (want == 0)
            return copied;
        const ssize_t n = ::read(src, buffer.get(), want);
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
    }
}

std::string LastErrorText()
{
    return std::strerror(errno);
}

}  // namespace dorvel
