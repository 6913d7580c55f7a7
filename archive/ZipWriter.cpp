#include "archive/ZipWriter.h"

#include "platform/SystemFiles.h"
#include "storage/PartFiles.h"

#include <zip.h>

#include <cstdlib>
#include <cstring>

namespace dorvel {

struct ZipWriter::Archive {
    zip_t* zip = nullptr;
    ~Archive()
    {
        if (zip)
            zip_discard(zip);
    }
};

ZipWriter::ZipWriter(const std::string& path)
    : m_archive(std::make_unique<Archive>())
    , m_path(path)
{
    // libzip writes the archive into a file of its own beside the one it is
    // given and renames it over that one, without forcing it onto the disk.
    // So it is given a part file of ours, which finish() forces onto the
    // disk and renames over the target.
    m_partPath = NewPartPath(path);
    int code = 0;
    m_archive->zip = zip_open(m_partPath.c_str(), ZIP_CREATE | ZIP_EXCL, &code);
    if (!m_archive->zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        m_error = path + ": " + zip_error_strerror(&error);
        zip_error_fini(&error);
    }
}

ZipWriter::~ZipWriter() = default;

bool ZipWriter::fail(const std::string& what)
{
    if (m_error.empty())
        m_error = what + ": " + (m_archive->zip ? zip_strerror(m_archive->zip) : "no archive");
    return false;
}

bool ZipWriter::addFile(const std::string& entryName, const std::string& sourcePath)
{
    if (!m_archive->zip)
        return false;
    zip_source_t* source = zip_source_file(m_archive->zip, sourcePath.c_str(), 0, -1);
    if (!source)
        return fail(sourcePath);
    if (zip_file_add(m_archive->zip, entryName.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        return fail(entryName);
    }
    return true;
}

bool ZipWriter::addBytes(const std::string& entryName, std::string_view bytes)
{
    if (!m_archive->zip)
        return false;
    // libzip copies nothing: the bytes are kept here until the archive is written.
    void* copy = std::malloc(bytes.size() ? bytes.size() : 1);
    if (!copy)
        return fail(entryName);
    if (!bytes.empty())
        std::memcpy(copy, bytes.data(), bytes.size());
    zip_source_t* source = zip_source_buffer(m_archive->zip, copy, bytes.size(), 1);
    if (!source) {
        std::free(copy);
        return fail(entryName);
    }
    if (zip_file_add(m_archive->zip, entryName.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        return fail(entryName);
    }
    return true;
}

bool ZipWriter::finish()
{
    if (!m_archive->zip || !m_error.empty())
        return false;
    if (zip_close(m_archive->zip) < 0)
        return fail(m_path);
    m_archive->zip = nullptr;
    Fd part = OpenForWriting(m_partPath, true);
    if (!part.valid() || !SyncFile(part.get()) || !part.reset() || !ReplaceFile(m_partPath, m_path)) {
        m_error = m_path + ": " + LastErrorText();
        RemoveEntry(m_partPath);
        return false;
    }
    return true;
}

}  // namespace dorvel
