#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Path and file helpers on byte-string paths. Paths are UTF-8 on disk; both
// separators are accepted wherever a path is taken apart, because paths in
// set and question files may come from Windows machines.
namespace dorvel {

QString toQString(const std::string& path);
std::string fromQString(const QString& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder (and missing parents); true when it exists afterwards.
bool ForceDirectory(const std::string& path);
bool DeleteFile(const std::string& path);
std::int64_t FileSize(const std::string& path);  // -1 when missing

// "C:\a\b.txt" -> "b.txt"; "/a/b.txt" -> "b.txt"
std::string ExtractFileName(std::string_view path);
// The folder part including its closing separator ("" when none).
std::string ExtractFilePath(std::string_view path);
// ".txt" (as written) or "" when the file name has no extension.
std::string ExtractFileExt(std::string_view path);
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string LowerCase(std::string_view text);
// Folder + name with exactly one separator between them.
std::string JoinPath(std::string_view folder, std::string_view name);
// Folder path with a closing separator.
std::string WithSeparator(std::string_view folder);
// Backslashes turned into the platform separator (for paths from elsewhere).
std::string NativeSeparators(std::string_view path);

// Whole-file helpers. ReadFileBytes returns false when the file cannot be read.
bool ReadFileBytes(const std::string& path, std::string& out);
// Atomic replace: written beside the target, forced onto the disk, then
// renamed over it. On any failure (a full disk too) the earlier file stays
// as it was, and `error`, when given, says why.
bool WriteFileBytes(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Sub-folders / files of a folder in listing order (names only).
std::vector<std::string> ListFolders(const std::string& folder);
std::vector<std::string> ListFiles(const std::string& folder);

std::string IntToStr(long long value);

}  // namespace dorvel
