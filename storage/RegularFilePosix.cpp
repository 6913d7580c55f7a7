#include "storage/RegularFile.h"

#include "storage/FileUtils.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvel {

int OpenRegularFile(const std::string& path)
{
    const int fd = ::open(NativeSeparators(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    // Reads of a regular file never block; clearing the flag keeps it so
    // for whatever reads the descriptor later.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

bool IsRegularFile(const std::string& path)
{
    struct stat st;
    return !path.empty() && ::stat(NativeSeparators(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace dorvel
