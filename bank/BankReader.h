#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvel {

// One media file recorded in a bank's header.
struct BankFileEntry {
    std::string name;         // the file's absolute path without backslashes
    std::int64_t start = -1;  // bytes start..end-1 of the data section; -1 when it was not embedded
    std::int64_t end = -1;

    bool embedded() const { return start >= 0; }
    std::int64_t size() const { return embedded() ? end - start : 0; }
};

// Reads a question bank: the scrambled header block and, on demand, the
// bytes of each embedded file. Every offset is checked against the file
// before it is used, so a damaged or hostile bank gives an error, never a
// read outside the file.
class BankReader {
public:
    // False (see error()) when the file is not a readable bank.
    bool open(const std::string& bankPath);
    // Checks a header from bytes already in memory: `head` is the start of
    // the bank (at least the whole header block), fileSize the bank's size.
    bool parseHeader(std::string_view head, std::int64_t fileSize);

    const std::string& error() const { return m_error; }
    const std::string& path() const { return m_path; }
    // The header text behind the length field.
    const std::string& headerText() const { return m_header; }
    std::int64_t dataStart() const { return m_dataStart; }
    std::int64_t dataSize() const { return m_dataSize; }

    std::string testDetails() const;
    std::string questionFileList() const;
    std::string preTestFileList() const;
    // The question files of a numbered list, in order.
    static std::vector<std::string> NumberedRecords(std::string_view list);

    const std::vector<BankFileEntry>& files() const { return m_files; }
    // The entry of a media file as a question file names it (its absolute
    // path; backslashes are ignored, as when the bank was written).
    std::optional<BankFileEntry> find(std::string_view mediaPath) const;

    // The bytes of an embedded file, read whole (meant for small files).
    bool readData(const BankFileEntry& entry, std::string& out);
    // Writes an embedded file's bytes into `folder` under `fileName`, in
    // chunks. Refuses a name that is not a plain file name (no separators,
    // no "..", not absolute) and never replaces an existing file.
    bool extract(const BankFileEntry& entry, const std::string& folder, const std::string& fileName);

private:
    // An operation failed: the message, the bank stays readable.
    bool failWith(std::string message);
    // The bank is unusable: the message, and nothing of it is kept.
    bool refuse(std::string message);
    bool parseFileRecords(std::string_view records);
    bool seekToData(int fd, const BankFileEntry& entry);

    std::string m_path;
    std::string m_error;
    std::string m_header;
    std::int64_t m_dataStart = 0;
    std::int64_t m_dataSize = 0;
    std::vector<BankFileEntry> m_files;
};

// The writer lays the files one after another. Records that share bytes
// would let a small bank unpack into many times its size: the error naming
// two of them, or "" when no records overlap.
std::string OverlapError(const std::vector<BankFileEntry>& files);

// True for a name that stays inside the folder it is put in.
bool IsPlainFileName(std::string_view name);

}  // namespace dorvel
