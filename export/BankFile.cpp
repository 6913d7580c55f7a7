#include "export/BankFile.h"

#include "editor/UserInterface.h"
#include "export/BankLists.h"
#include "export/ExportLists.h"
#include "export/FileCopy.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace dorvel {

namespace {

// A fresh file beside `target`, created by us (never an existing file of the
// same name), removed unless it is committed over the target.
class PartFile {
public:
    explicit PartFile(const std::string& target)
        : m_target(NativeSeparators(target))
    {
        const std::string folder = ExtractFilePath(m_target);
        const std::string name = ExtractFileName(m_target);
        for (int attempt = 0; attempt < 100 && !m_fd.valid(); ++attempt) {
            char suffix[32];
            std::snprintf(suffix, sizeof suffix, ".%08x.part", QRandomGenerator::global()->generate());
            m_path = folder + "." + name + suffix;
            m_fd = Fd(::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (!m_fd.valid() && errno != EEXIST)
                break;
        }
        if (m_fd.valid())
            m_created = true;
        else
            m_error = LastErrorText();
    }
    ~PartFile()
    {
        if (m_created && !m_committed) {
            m_fd.reset();
            ::unlink(m_path.c_str());
        }
    }

    bool valid() const { return m_fd.valid(); }
    int fd() const { return m_fd.get(); }
    const std::string& error() const { return m_error; }

    bool commit()
    {
        if (!m_fd.reset()) {
            m_error = LastErrorText();
            return false;
        }
        std::error_code ec;
        std::filesystem::rename(m_path, m_target, ec);
        if (ec) {
            m_error = ec.message();
            return false;
        }
        m_committed = true;
        return true;
    }

private:
    std::string m_target;
    std::string m_path;
    std::string m_error;
    Fd m_fd;
    bool m_created = false;
    bool m_committed = false;
};

std::string LengthField(std::int64_t length)
{
    std::string digits = std::to_string(length);
    if (digits.size() < kBankLengthFieldSize)
        digits.insert(0, kBankLengthFieldSize - digits.size(), '0');
    return digits;
}

}  // namespace

std::optional<ByteRange> AppendFileData(const std::string& destPath, const std::string& srcPath)
{
    const Fd src = OpenForReading(srcPath);
    if (!src.valid())
        return std::nullopt;
    Fd dst(::open(NativeSeparators(destPath).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    if (!dst.valid())
        return std::nullopt;
    const off_t start = ::lseek(dst.get(), 0, SEEK_END);
    if (start < 0 || CopyBytes(src.get(), dst.get(), -1) < 0)
        return std::nullopt;
    const std::int64_t end = SizeOf(dst.get());
    if (!dst.reset() || end < 0)
        return std::nullopt;
    return ByteRange{static_cast<std::int64_t>(start), end};
}

std::string BankHeaderText(const ExportLists& lists, std::string_view testDetails)
{
    std::string h = "<fileHeader>";
    for (std::size_t i = 0; i < lists.foundFiles.size(); ++i) {
        const std::string key = StripBackslashes(lists.foundFiles[i]);
        const std::int64_t start = i < lists.startOffsets.size() ? lists.startOffsets[i] : -1;
        const std::int64_t end = i < lists.endOffsets.size() ? lists.endOffsets[i] : -1;
        h += "<" + key + ">" + std::to_string(start) + "," + std::to_string(end) + "</" + key + ">";
    }
    h += "</fileHeader><testList>";
    h += testDetails;
    h += "</testList><questionFileList>";
    h += lists.questionFileList;
    h += "</questionFileList><preTestFileList>";
    h += lists.preTestFileList;
    h += "</preTestFileList>";
    return h;
}

BankWriteResult WriteBankFile(ExportLists& lists, UserInterface& ui, const std::string& bankPath,
                              std::string_view testDetails, const std::string& firstLabel,
                              const std::string& secondLabel)
{
    constexpr std::size_t kProgressSteps = 90;
    struct HideProgress {
        UserInterface& ui;
        ~HideProgress() { ui.progressHide(); }
    } hideProgress{ui};

    // The header carries every file's offsets, so the sizes are taken first
    // and the data goes straight into the bank behind the header.
    ui.progressLabel(firstLabel);
    const std::size_t count = lists.foundFiles.size();
    lists.startOffsets.assign(count, -1);
    lists.endOffsets.assign(count, -1);
    std::int64_t cursor = 0;
    int embedded = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::int64_t size = FileSize(lists.foundFiles[i]);
        if (size < 0)
            continue;  // gone since the lists were made: recorded as -1,-1
        lists.startOffsets[i] = cursor;
        cursor += size;
        lists.endOffsets[i] = cursor;
        ++embedded;
    }

    const std::string h = BankHeaderText(lists, testDetails);
    const std::string block = ScrambleText(LengthField(static_cast<std::int64_t>(h.size()) + kBankHeaderOverhead) + h, 3);

    ui.progressLabel(secondLabel);
    PartFile part(bankPath);
    if (!part.valid())
        return {BankWriteStatus::CannotCreate, "cannot create " + bankPath + ": " + part.error()};
    if (!WriteAll(part.fd(), block.data(), block.size()))
        return {BankWriteStatus::WriteFailed, "cannot write " + bankPath + ": " + LastErrorText()};

    for (std::size_t i = 0; i < count; ++i) {
        if (lists.startOffsets[i] < 0)
            continue;
        const std::string& path = lists.foundFiles[i];
        const std::int64_t size = lists.endOffsets[i] - lists.startOffsets[i];
        const Fd src = OpenForReading(path);
        if (!src.valid())
            return {BankWriteStatus::WriteFailed, "cannot read " + path + ": " + LastErrorText()};
        const std::int64_t copied = CopyBytes(src.get(), part.fd(), size);
        if (copied < 0)
            return {BankWriteStatus::WriteFailed, "cannot write " + bankPath + ": " + LastErrorText()};
        if (copied != size)
            return {BankWriteStatus::WriteFailed, path + " changed while the bank was written"};
        if (i < kProgressSteps)
            ui.progressAdvance(1);
    }
    if (!part.commit())
        return {BankWriteStatus::CannotCreate, "cannot create " + bankPath + ": " + part.error()};
    ui.progressPosition(100);
    if (embedded == 0)
        return {BankWriteStatus::NoMedia, {}};
    return {BankWriteStatus::Written, {}};
}

}  // namespace dorvel
