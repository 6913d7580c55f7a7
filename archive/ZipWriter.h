#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace dorvel {

// Writes a zip archive. Entries are added by name (UTF-8, "/" between
// folders) from a file on disk or from bytes; nothing reaches the target
// until finish(), which writes the archive beside it (a part file, see
// storage/PartFiles.h), forces it onto the disk and renames it into place, so
// a failed or abandoned archive never leaves a half-written file.
class ZipWriter {
public:
    explicit ZipWriter(const std::string& path);
    ~ZipWriter();  // abandons an unfinished archive
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // False (with error() set) when the entry cannot be added; the file is
    // read only when finish() runs, so it must stay in place until then.
    bool addFile(const std::string& entryName, const std::string& sourcePath);
    bool addBytes(const std::string& entryName, std::string_view bytes);

    // Writes the archive; false with error() set when it could not be written.
    bool finish();
    const std::string& error() const { return m_error; }

private:
    struct Archive;
    bool fail(const std::string& what);

    std::unique_ptr<Archive> m_archive;
    std::string m_path;
    std::string m_partPath;
    std::string m_error;
};

}  // namespace dorvel
