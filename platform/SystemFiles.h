#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The few file and folder operations whose safe form differs between
// systems: opening without blocking, checking what an open file is, forcing
// data to the disk, removing without following links, private folders.
// Everything else in Dorvel goes through these and stays portable.
namespace dorvel {

// An open file, closed when it goes out of scope.
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
    // Closes the file; false when closing reported a failed write.
    bool reset();

private:
    int m_fd;
};

// Opens an existing file for reading. Opening never waits (a FIFO without a
// writer opens at once); reads block as usual.
Fd OpenForReading(const std::string& path);
// As OpenForReading, but only a regular file: a folder, device, FIFO or
// socket is refused (LastErrorText() then says so).
Fd OpenRegularFile(const std::string& path);
// Creates a file that did not exist, never through a link of that name.
Fd CreateNewFile(const std::string& path);
// Opens a file for writing, creating it when missing; `append` keeps what it
// holds, otherwise it is emptied.
Fd OpenForWriting(const std::string& path, bool append);

// Size of an open file, -1 when unknown.
std::int64_t SizeOf(int fd);
// The current position; SeekTo and SeekToEnd move it. -1 on failure.
std::int64_t PositionOf(int fd);
bool SeekTo(int fd, std::int64_t position);
std::int64_t SeekToEnd(int fd);
// Reads up to `size` bytes: the count read, 0 at the end, -1 on failure.
std::int64_t ReadSome(int fd, char* data, std::size_t size);
// Reads exactly `size` bytes at `position` without moving the file position.
bool ReadAt(int fd, char* data, std::size_t size, std::int64_t position);
// Writes everything or fails (a full disk is a failure, never a short file).
bool WriteAll(int fd, const char* data, std::size_t size);
// Forces the file's data onto the disk; a failure means it may not be there.
bool SyncFile(int fd);

// Renames `from` over `to` in one step; afterwards the folder's entry is
// forced onto the disk as well.
bool ReplaceFile(const std::string& from, const std::string& to);
// Puts the folder `from` where `to` is: with `to` a folder already, the two
// change places in one step where the file system can (what was at `to` is
// then at `from`), else `to` moves to `from` first. A missing `to` is a
// plain rename.
bool SwapIntoPlace(const std::string& from, const std::string& to);
// A second name `to` (which must not exist) for the file `from`; false where
// the file system has no such links (FAT) or they cannot be made.
bool MakeHardLink(const std::string& from, const std::string& to);
// Creates a folder that did not exist (never one that did, nor a link).
bool CreateNewFolder(const std::string& path);
// Removes a folder with everything in it; links inside are removed
// themselves, never followed. A file or link at `path` is removed alone.
bool RemoveTree(const std::string& path);
// True when the path itself is a symbolic link (not what it points to).
bool IsSymbolicLink(const std::string& path);
// Removes a file or a link itself, never what a link points to.
bool RemoveEntry(const std::string& path);
// A folder only this user can enter (mode 0700): created when missing; an
// existing one must be a real folder of this user, and is made private.
// False (see LastErrorText()) when that cannot be had.
bool MakePrivateFolder(const std::string& path);

// The folder of the running program's file (links resolved), with a closing
// separator; "" when the system does not say.
std::string ExecutableFolder();

// The text of the last failed call's system error.
std::string LastErrorText();

}  // namespace dorvel
