#include "bank/BankReader.h"

#include "bank/BankFile.h"
#include "bank/BankLists.h"
#include "storage/FileCopy.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <algorithm>
#include <charconv>

namespace dorvel {

namespace {

constexpr int kBankKind = 3;
// A header holds test details and at most a few hundred question files; a
// length beyond this is damage, not a bank worth allocating for.
constexpr std::int64_t kMaxHeaderBlock = std::int64_t(256) << 20;
// No path a bank records is longer than this.
constexpr std::size_t kMaxRecordName = 4096;

// Reads a decimal integer (optionally negative) at `pos`; advances pos.
std::optional<std::int64_t> ReadNumber(std::string_view text, std::size_t& pos)
{
    std::int64_t value = 0;
    const char* first = text.data() + pos;
    const char* last = text.data() + text.size();
    if (first == last || !(*first == '-' || (*first >= '0' && *first <= '9')))
        return std::nullopt;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc())
        return std::nullopt;
    pos += static_cast<std::size_t>(ptr - first);
    return value;
}

// Matches "start,end</name>" at pos; advances pos behind it.
std::optional<BankFileEntry> ReadRecordValue(std::string_view text, std::size_t pos, std::string_view name,
                                             std::size_t& next)
{
    const auto start = ReadNumber(text, pos);
    if (!start || pos >= text.size() || text[pos] != ',')
        return std::nullopt;
    ++pos;
    const auto end = ReadNumber(text, pos);
    if (!end)
        return std::nullopt;
    // The closing tag "</" + name + ">", compared in place.
    const std::string_view after = text.substr(pos);
    if (after.size() < name.size() + 3 || after.substr(0, 2) != "</" || after.substr(2, name.size()) != name
        || after[name.size() + 2] != '>')
        return std::nullopt;
    next = pos + name.size() + 3;
    return BankFileEntry{std::string(name), *start, *end};
}

}  // namespace

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.size() > 255)
        return false;
    for (char c : name) {
        // Separators of either kind, a drive colon, and control bytes.
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 32)
            return false;
    }
    return true;
}

bool BankReader::failWith(std::string message)
{
    m_error = std::move(message);
    return false;
}

bool BankReader::refuse(std::string message)
{
    m_error = std::move(message);
    m_header.clear();
    m_files.clear();
    m_dataStart = 0;
    m_dataSize = 0;
    return false;
}

bool BankReader::open(const std::string& bankPath)
{
    m_path = bankPath;
    const Fd fd = OpenForReading(bankPath);
    if (!fd.valid())
        return refuse("cannot open " + bankPath + ": " + LastErrorText());
    const std::int64_t fileSize = SizeOf(fd.get());
    if (fileSize < 0)
        return refuse("cannot read " + bankPath + ": " + LastErrorText());

    // The header's length stands in its first bytes; read those, then the
    // whole block.
    std::string head(static_cast<std::size_t>(std::min<std::int64_t>(fileSize, kBankHeaderOverhead)), '\0');
    if (!ReadAt(fd.get(), head.data(), head.size(), 0))
        return refuse("cannot read " + bankPath);
    if (head.size() == static_cast<std::size_t>(kBankHeaderOverhead) && IsScrambledAs(head, kBankKind)) {
        const std::string lengthField = UnscrambleText(head, kBankKind);
        std::size_t pos = 0;
        const auto length = ReadNumber(lengthField, pos);
        if (length && pos == lengthField.size() && *length > kBankHeaderOverhead && *length <= fileSize
            && *length <= kMaxHeaderBlock) {
            head.resize(static_cast<std::size_t>(*length));
            if (!ReadAt(fd.get(), head.data(), head.size(), 0))
                return refuse("cannot read " + bankPath);
        }
    }
    if (!parseHeader(head, fileSize)) {
        m_error = bankPath + ": " + m_error;
        return false;
    }
    return true;
}

bool BankReader::parseHeader(std::string_view head, std::int64_t fileSize)
{
    if (head.size() < static_cast<std::size_t>(kBankHeaderOverhead) || !IsScrambledAs(head, kBankKind))
        return refuse("not a question bank");
    const std::string lengthField = UnscrambleText(head.substr(0, kBankHeaderOverhead), kBankKind);
    std::size_t pos = 0;
    const auto length = ReadNumber(lengthField, pos);
    if (!length || pos != lengthField.size() || lengthField.size() != kBankLengthFieldSize)
        return refuse("damaged question bank: the header length is unreadable");
    if (*length < kBankHeaderOverhead || *length > fileSize || *length > kMaxHeaderBlock
        || static_cast<std::size_t>(*length) > head.size())
        return refuse("damaged question bank: the header length does not fit the file");

    std::string text = UnscrambleText(head.substr(0, static_cast<std::size_t>(*length)), kBankKind);
    text.erase(0, kBankLengthFieldSize);
    static constexpr std::string_view kOpen = "<fileHeader>";
    if (text.compare(0, kOpen.size(), kOpen) != 0)
        return refuse("damaged question bank: no file list in the header");

    m_header = std::move(text);
    m_dataStart = *length;
    m_dataSize = fileSize - *length;
    m_error.clear();
    m_files.clear();
    return parseFileRecords(GetTag(m_header, "fileHeader"));
}

bool BankReader::parseFileRecords(std::string_view records)
{
    std::size_t pos = 0;
    while (pos < records.size()) {
        if (records[pos] != '<')
            return refuse("damaged question bank: unreadable file list");
        // A path may itself hold '>': the name ends at the first '>' that is
        // followed by a well-formed value and the matching closing tag.
        std::optional<BankFileEntry> entry;
        std::size_t next = 0;
        for (auto gt = records.find('>', pos + 1); gt != std::string_view::npos && gt - pos - 1 <= kMaxRecordName;
             gt = records.find('>', gt + 1)) {
            const std::string_view name = records.substr(pos + 1, gt - pos - 1);
            if (name.empty())
                break;
            entry = ReadRecordValue(records, gt + 1, name, next);
            if (entry)
                break;
        }
        if (!entry)
            return refuse("damaged question bank: unreadable file list");
        const bool missing = entry->start == -1 && entry->end == -1;
        if (!missing && !(entry->start >= 0 && entry->start <= entry->end && entry->end <= m_dataSize))
            return refuse("damaged question bank: the data of " + entry->name + " lies outside the file");
        if (missing)
            entry->start = entry->end = -1;
        m_files.push_back(std::move(*entry));
        pos = next;
    }
    return true;
}

std::string BankReader::testDetails() const
{
    return GetTag(m_header, "testList");
}

std::string BankReader::questionFileList() const
{
    return GetTag(m_header, "questionFileList");
}

std::string BankReader::preTestFileList() const
{
    return GetTag(m_header, "preTestFileList");
}

std::vector<std::string> BankReader::NumberedRecords(std::string_view list)
{
    std::vector<std::string> out;
    for (int n = 0;; ++n) {
        std::string q = GetTag(list, "questionFile" + std::to_string(n));
        if (q.empty())
            break;
        out.push_back(std::move(q));
    }
    return out;
}

std::optional<BankFileEntry> BankReader::find(std::string_view mediaPath) const
{
    const std::string key = StripBackslashes(mediaPath);
    for (const BankFileEntry& e : m_files) {
        if (e.name == key)
            return e;
    }
    return std::nullopt;
}

bool BankReader::seekToData(int fd, const BankFileEntry& entry)
{
    // The file may have changed since the header was read.
    if (m_dataStart + entry.end > SizeOf(fd))
        return failWith(m_path + " is shorter than its header says");
    if (!SeekTo(fd, m_dataStart + entry.start))
        return failWith("cannot read " + m_path + ": " + LastErrorText());
    return true;
}

bool BankReader::readData(const BankFileEntry& entry, std::string& out)
{
    out.clear();
    if (!entry.embedded())
        return failWith(entry.name + " is not embedded in the bank");
    if (entry.end > m_dataSize || entry.start > entry.end)
        return failWith("no such data in " + m_path);
    const Fd fd = OpenForReading(m_path);
    if (!fd.valid())
        return failWith("cannot open " + m_path + ": " + LastErrorText());
    if (!seekToData(fd.get(), entry))
        return false;
    out.resize(static_cast<std::size_t>(entry.size()));
    std::size_t done = 0;
    while (done < out.size()) {
        const std::int64_t n = ReadSome(fd.get(), out.data() + done, out.size() - done);
        if (n <= 0)
            return failWith("cannot read " + m_path);
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool BankReader::extract(const BankFileEntry& entry, const std::string& folder, const std::string& fileName)
{
    if (!IsPlainFileName(fileName))
        return failWith("refused to write \"" + fileName + "\": not a plain file name");
    if (!DirectoryExists(folder))
        return failWith("no such folder: " + folder);
    if (!entry.embedded())
        return failWith(entry.name + " is not embedded in the bank");
    if (entry.end > m_dataSize || entry.start > entry.end)
        return failWith("no such data in " + m_path);
    const Fd src = OpenForReading(m_path);
    if (!src.valid())
        return failWith("cannot open " + m_path + ": " + LastErrorText());
    if (!seekToData(src.get(), entry))
        return false;
    const std::string target = JoinPath(NativeSeparators(folder), fileName);
    // O_EXCL: an existing file, or a link planted under that name, is never
    // written through.
    Fd dst = CreateNewFile(target);
    if (!dst.valid())
        return failWith("cannot create " + target + ": " + LastErrorText());
    const std::int64_t copied = CopyBytes(src.get(), dst.get(), entry.size());
    if (!dst.reset() || copied != entry.size()) {
        RemoveEntry(target);
        return failWith("cannot write " + target);
    }
    return true;
}

std::string OverlapError(const std::vector<BankFileEntry>& files)
{
    std::vector<const BankFileEntry*> embedded;
    for (const BankFileEntry& e : files) {
        if (e.embedded() && e.size() > 0)
            embedded.push_back(&e);
    }
    std::sort(embedded.begin(), embedded.end(), [](const BankFileEntry* a, const BankFileEntry* b) {
        return a->start < b->start;
    });
    for (std::size_t i = 1; i < embedded.size(); ++i) {
        if (embedded[i]->start < embedded[i - 1]->end)
            return "damaged question bank: the data of " + embedded[i - 1]->name + " and " + embedded[i]->name
                + " overlap";
    }
    return {};
}

}  // namespace dorvel
