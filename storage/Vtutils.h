#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Tagged text and stored files: the notation and storage every record and
// file of Dorvel uses. Values are stored text (storage/TextCodec.h: ASCII and
// references); these functions move them about without looking inside.
namespace dorvel {

// ---- Tagged text ---------------------------------------------------------
// `<name>value</name>` runs; first element of a name wins. Values are kept
// free of `<` and `>` by the text codec, not here.

// Value of the first element `name`, or "" when it is missing or malformed.
std::string GetTag(std::string_view text, std::string_view name);
// The value as a decimal integer, or `def` when it is not wholly a number.
int GetTagInt(std::string_view text, std::string_view name, int def);
// Text with the first element `name` cut out (neighbours' blanks trimmed),
// or the text unchanged when there is no such element.
std::string RemoveTag(std::string_view text, std::string_view name);
// `<name>value</name> ` followed by RemoveTag(text, name).
std::string SetTag(std::string_view text, std::string_view name, std::string_view value);
// The text with `typed` stored in `name` as one line (a line break pasted in
// is a blank; otherwise as CleanText stores typed text); typed text that
// leaves nothing removes the element.
std::string WithTypedLine(std::string_view text, std::string_view name, std::string_view typed);

// ---- Scrambling ------------------------------------------------------------

// File kind from a path's extension: .vtl 1, .vtd 2, .vtb 3, .vtr 4, .vtc 5,
// anything else 0. -1 for .txt, which is never scrambled.
int StoredFileKind(std::string_view path);

std::string SubstituteText(std::string_view text, std::string_view key);
std::string RestoreText(std::string_view text, std::string_view key);
// Exactly 317 bytes longer than `text`. Same second, same output.
std::string ScrambleText(std::string_view text, int kind);
// Scrambling with an explicit seed instead of the clock (tests, reproducible output).
std::string ScrambleTextSeeded(std::string_view text, int kind, unsigned seed);
std::string UnscrambleText(std::string_view text, int kind);
// True when `text` unscrambles under `kind` to something that carries the marker.
bool IsScrambledAs(std::string_view text, int kind);

// The key of a row and file kind after start-up preparation.
const std::string& ScrambleKey(int row, int kind);

// ---- Stored files ----------------------------------------------------------

// Writes `text` (scrambled unless the extension is .txt). The file is
// replaced atomically: a failed write leaves any earlier file untouched.
// False when the file could not be written (`error`, when given, says why).
bool WriteStoredFile(const std::string& path, std::string_view text, std::string* error = nullptr);
// The largest stored file read: sets, language packs and settings are a few
// megabytes at most, so anything larger is not one of them.
inline constexpr std::int64_t kMaxStoredFileSize = std::int64_t(64) << 20;
// The file's text up to its first zero byte, unscrambled by kind. Empty when
// the file cannot be read, is not a regular file (a device, a FIFO) or is
// larger than kMaxStoredFileSize; nothing is read of those.
std::string ReadStoredFile(const std::string& path);
// The same, with the reason why nothing was read ("" when the file was read).
std::string ReadStoredFile(const std::string& path, std::string& error);

}  // namespace dorvel
