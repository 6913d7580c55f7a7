#include "archive/ZipReader.h"

#include <zip.h>

namespace dorvel {

namespace {

zip_t* archive(void* handle)
{
    return static_cast<zip_t*>(handle);
}

}  // namespace

ZipReader::ZipReader(const std::string& path)
{
    int code = 0;
    m_archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
}

ZipReader::~ZipReader()
{
    if (m_archive)
        zip_discard(archive(m_archive));
}

std::vector<std::string> ZipReader::names() const
{
    std::vector<std::string> out;
    if (!m_archive)
        return out;
    const zip_int64_t count = zip_get_num_entries(archive(m_archive), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (const char* name = zip_get_name(archive(m_archive), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS))
            out.emplace_back(name);
    }
    return out;
}

std::optional<std::string> ZipReader::read(const std::string& entryName) const
{
    if (!m_archive)
        return std::nullopt;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive(m_archive), entryName.c_str(), 0, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE))
        return std::nullopt;
    zip_file_t* file = zip_fopen(archive(m_archive), entryName.c_str(), 0);
    if (!file)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    const zip_int64_t got = zip_fread(file, bytes.data(), stat.size);
    zip_fclose(file);
    if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size)
        return std::nullopt;
    return bytes;
}

}  // namespace dorvel
