#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dorvel {

struct ExportLists;
class UserInterface;

// Bytes start..end-1 of a file's data.
struct ByteRange {
    std::int64_t start = -1;
    std::int64_t end = -1;
};

enum class BankWriteStatus {
    Written,       // the bank holds at least one media file
    NoMedia,       // the bank was written, but holds no media file (nothing to play)
    CannotCreate,  // the bank file could not be created; nothing was written
    WriteFailed,   // writing failed part-way (disk full, a media file changed); any earlier bank is kept
};

struct BankWriteResult {
    BankWriteStatus status = BankWriteStatus::CannotCreate;
    std::string error;  // what went wrong, for the author or standard error
};

// Appends every byte of srcPath at the end of destPath (created if absent),
// copying in chunks. The range is where the bytes landed in destPath; none
// when srcPath cannot be read or destPath cannot be written.
std::optional<ByteRange> AppendFileData(const std::string& destPath, const std::string& srcPath);

// The bank's header text: the file records from the offsets in `lists`, the
// test details and both question lists.
std::string BankHeaderText(const ExportLists& lists, std::string_view testDetails);

// Characters the scrambled header block adds to the header text: marker,
// salt and the length field.
inline constexpr std::int64_t kBankHeaderOverhead = 337;
inline constexpr std::size_t kBankLengthFieldSize = 20;

// Writes the bank at bankPath from the current lists: the scrambled header
// block, then the data of every found file. The bank is assembled in a fresh
// file of its own beside bankPath and only replaces an existing bank once it
// is complete. Offsets land in `lists`. firstLabel and secondLabel are shown
// in the progress window while the files are measured and while they are
// written; the progress window is hidden at the end.
BankWriteResult WriteBankFile(ExportLists& lists, UserInterface& ui, const std::string& bankPath,
                              std::string_view testDetails, const std::string& firstLabel,
                              const std::string& secondLabel);

}  // namespace dorvel
