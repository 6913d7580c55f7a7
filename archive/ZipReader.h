#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dorvel {

// Reads entries of a zip archive whole into memory (for archives of pages
// and small data files, not for media of any size).
class ZipReader {
public:
    explicit ZipReader(const std::string& path);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool isOpen() const { return m_archive != nullptr; }
    // Every entry's name in archive order (folders end in "/").
    std::vector<std::string> names() const;
    // The bytes of one entry; nothing when there is no such entry.
    std::optional<std::string> read(const std::string& entryName) const;

private:
    void* m_archive = nullptr;
};

}  // namespace dorvel
