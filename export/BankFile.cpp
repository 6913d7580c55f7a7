#include "export/BankFile.h"

#include "editor/UserInterface.h"
#include "export/BankLists.h"
#include "export/ExportLists.h"
#include "export/FileCopy.h"
#include "storage/FileUtils.h"
#include "storage/PartFiles.h"
#include "storage/Vtutils.h"

#include <cstdio>

namespace dorvel {

namespace {

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
    const Fd src = OpenRegularFile(srcPath);
    if (!src.valid())
        return std::nullopt;
    Fd dst = OpenForWriting(NativeSeparators(destPath), true);
    if (!dst.valid())
        return std::nullopt;
    const std::int64_t start = SeekToEnd(dst.get());
    if (start < 0 || CopyBytes(src.get(), dst.get(), -1) < 0)
        return std::nullopt;
    const std::int64_t end = SizeOf(dst.get());
    if (!dst.reset() || end < 0)
        return std::nullopt;
    return ByteRange{static_cast<std::int64_t>(start), end};
}

namespace {

// The set's text goes into the header between the header's own elements. A
// test name that closes testList early (an old or hand-made set keeps `<`
// raw) would have readers take what follows for the question list, so the
// header's tags inside it get their brackets as references: read back,
// they are the same text.
std::string HeaderSafe(std::string_view text)
{
    std::string out(text);
    for (const std::string_view name : {"fileHeader", "testList", "questionFileList", "preTestFileList"}) {
        for (const bool closing : {false, true}) {
            const std::string tag = std::string(closing ? "</" : "<") + std::string(name) + ">";
            const std::string inert = "&lt;" + tag.substr(1, tag.size() - 2) + "&gt;";
            for (std::size_t at = out.find(tag); at != std::string::npos; at = out.find(tag, at + inert.size()))
                out.replace(at, tag.size(), inert);
        }
    }
    return out;
}

}  // namespace

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
    h += HeaderSafe(testDetails);
    h += "</testList><questionFileList>";
    h += HeaderSafe(lists.questionFileList);
    h += "</questionFileList><preTestFileList>";
    h += HeaderSafe(lists.preTestFileList);
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
    RemoveLeftoverParts(bankPath);
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
        const Fd src = OpenRegularFile(path);
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
