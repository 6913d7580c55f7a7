#pragma once

#include "platform/SystemFiles.h"

#include <string>
#include <string_view>

// What Dorvel writes in more than one step (a bank, a web test, a package, a
// PDF) is written beside its target under a hidden name of its own,
// ".NAME.xxxxxxxx.part" (eight lowercase hex digits), and moved into place
// only when whole. A run that was killed leaves such files or folders; the
// next run that writes the same target removes them, and nothing else.
namespace dorvel {

// A fresh part name beside `target` (nothing is created).
std::string NewPartPath(const std::string& target);

// True when `entry` (a name, no folder) is a part of the target named
// `targetName`: ".TARGET.xxxxxxxx.part", or that followed by the six
// characters libzip adds to the file it writes before renaming it
// (".TARGET.xxxxxxxx.part.AbC123").
bool IsPartOf(std::string_view entry, std::string_view targetName);

// Removes what killed runs left beside `target` (files and folders whose
// name IsPartOf it), never following a link.
void RemoveLeftoverParts(const std::string& target);

// A fresh file beside `target`, created by us (never an existing file of the
// same name), removed unless it is committed over the target.
class PartFile {
public:
    explicit PartFile(const std::string& target);
    ~PartFile();
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    bool valid() const { return m_fd.valid(); }
    int fd() const { return m_fd.get(); }
    const std::string& path() const { return m_path; }
    const std::string& error() const { return m_error; }

    // The data reaches the disk before the rename: a crash afterwards finds
    // the complete file or the old one.
    bool commit();

private:
    std::string m_target;
    std::string m_path;
    std::string m_error;
    Fd m_fd;
    bool m_created = false;
    bool m_committed = false;
};

// A fresh folder beside `target`, removed with everything in it when it goes
// out of scope.
class PartFolder {
public:
    explicit PartFolder(const std::string& target);
    ~PartFolder();
    PartFolder(const PartFolder&) = delete;
    PartFolder& operator=(const PartFolder&) = delete;

    bool valid() const { return m_created; }
    // With a closing separator.
    std::string path() const { return m_path + "/"; }
    const std::string& error() const { return m_error; }

private:
    std::string m_path;
    std::string m_error;
    bool m_created = false;
};

}  // namespace dorvel
