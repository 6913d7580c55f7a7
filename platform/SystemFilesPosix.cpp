#include "platform/SystemFiles.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvel {

namespace {

thread_local std::string g_lastError;

bool failed()
{
    g_lastError = std::strerror(errno);
    return false;
}

bool failedWith(const char* message)
{
    g_lastError = message;
    return false;
}

Fd openWith(const std::string& path, int flags, mode_t mode = 0)
{
    Fd fd(::open(path.c_str(), flags | O_CLOEXEC, mode));
    if (!fd.valid())
        failed();
    return fd;
}

}  // namespace

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
    bool ok = true;
    if (m_fd >= 0 && ::close(m_fd) != 0)
        ok = errno == EINTR || failed();  // after EINTR the descriptor is gone on Linux
    m_fd = -1;
    return ok;
}

Fd OpenForReading(const std::string& path)
{
    // O_NONBLOCK only for the open itself: a FIFO would otherwise wait for a
    // writer. Reads of what was opened behave as usual afterwards.
    Fd fd = openWith(path, O_RDONLY | O_NONBLOCK);
    if (fd.valid()) {
        const int flags = ::fcntl(fd.get(), F_GETFL);
        if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) < 0) {
            failed();
            return Fd();
        }
    }
    return fd;
}

Fd OpenRegularFile(const std::string& path)
{
    Fd fd = OpenForReading(path);
    if (!fd.valid())
        return fd;
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) {
        failed();
        return Fd();
    }
    if (!S_ISREG(st.st_mode)) {
        failedWith(S_ISDIR(st.st_mode) ? "it is a folder" : "not a regular file");
        return Fd();
    }
    return fd;
}

Fd CreateNewFile(const std::string& path)
{
    return openWith(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
}

Fd OpenForWriting(const std::string& path, bool append)
{
    return openWith(path, O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC), 0666);
}

std::int64_t SizeOf(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        failed();
        return -1;
    }
    return static_cast<std::int64_t>(st.st_size);
}

std::int64_t PositionOf(int fd)
{
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (at < 0)
        failed();
    return at;
}

bool SeekTo(int fd, std::int64_t position)
{
    return ::lseek(fd, static_cast<off_t>(position), SEEK_SET) >= 0 || failed();
}

std::int64_t SeekToEnd(int fd)
{
    const off_t at = ::lseek(fd, 0, SEEK_END);
    if (at < 0)
        failed();
    return at;
}

std::int64_t ReadSome(int fd, char* data, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            failed();
            return -1;
        }
    }
}

bool ReadAt(int fd, char* data, std::size_t size, std::int64_t position)
{
    while (size > 0) {
        const ssize_t n = ::pread(fd, data, size, static_cast<off_t>(position));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed();
        if (n == 0)
            return failedWith("the file ends early");
        data += n;
        size -= static_cast<std::size_t>(n);
        position += n;
    }
    return true;
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failed();
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool SyncFile(int fd)
{
    while (::fsync(fd) != 0) {
        if (errno == EINTR)
            continue;
        // Some file systems cannot sync at all; nothing was lost there.
        if (errno == EINVAL || errno == EROFS)
            return true;
        return failed();
    }
    return true;
}

namespace {

void syncFolderOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

}  // namespace

bool ReplaceFile(const std::string& from, const std::string& to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return failed();
    // The rename itself lives in the folder: sync that too, or a crash could
    // bring back the old name. A folder that cannot be synced is no failure.
    syncFolderOf(to);
    return true;
}

bool SwapIntoPlace(const std::string& from, const std::string& to)
{
    struct stat st;
    if (::lstat(to.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return failed();
        if (::rename(from.c_str(), to.c_str()) != 0)
            return failed();
    } else if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) != 0) {
        // File systems without the exchange (FAT, network shares): the old
        // folder steps aside to `from`'s name first, which must then be free.
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            return failed();
        const std::string aside = from + ".old";
        if (::rename(to.c_str(), aside.c_str()) != 0)
            return failed();
        if (::rename(from.c_str(), to.c_str()) != 0) {
            const int error = errno;
            ::rename(aside.c_str(), to.c_str());
            errno = error;
            return failed();
        }
        if (::rename(aside.c_str(), from.c_str()) != 0)
            RemoveTree(aside);
    }
    syncFolderOf(to);
    return true;
}

bool MakeHardLink(const std::string& from, const std::string& to)
{
    return ::link(from.c_str(), to.c_str()) == 0 || failed();
}

bool CreateNewFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0 || failed();
}

bool RemoveTree(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT || failed();
    if (!S_ISDIR(st.st_mode))
        return RemoveEntry(path);
    // Depth first, never following a link: each entry goes before its folder.
    const auto removeOne = [](const char* entry, const struct stat*, int type, struct FTW*) {
        return (type == FTW_DP ? ::rmdir(entry) : ::unlink(entry)) == 0 ? 0 : -1;
    };
    return ::nftw(path.c_str(), removeOne, 16, FTW_DEPTH | FTW_PHYS) == 0 || failed();
}

bool IsSymbolicLink(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool RemoveEntry(const std::string& path)
{
    return ::unlink(path.c_str()) == 0 || failed();
}

bool MakePrivateFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) == 0)
        return true;
    if (errno != EEXIST)
        return failed();
    // Someone else may have made it first, or planted a link: only a real
    // folder of our own will do.
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return failed();
    if (!S_ISDIR(st.st_mode))
        return failedWith("it is not a folder");
    if (st.st_uid != ::geteuid())
        return failedWith("it belongs to another user");
    if ((st.st_mode & 0777) != 0700 && ::chmod(path.c_str(), 0700) != 0)
        return failed();
    return true;
}

std::string ExecutableFolder()
{
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string file(path, static_cast<std::size_t>(n));
    const std::string::size_type slash = file.find_last_of('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

std::string LastErrorText()
{
    return g_lastError.empty() ? std::string(std::strerror(errno)) : g_lastError;
}

}  // namespace dorvel
