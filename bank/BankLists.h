#pragma once

#include <string>
#include <string_view>

namespace dorvel {

struct ExportLists;
class UserInterface;

// Takes the expanded question files (runs of <vtQuestion>...</vtQuestion>),
// finds every media file they refer to, repairs absolute paths that only
// resolve relative to `baseFolder` (the template folder), and fills `lists`
// from scratch. Returns "0" when every media file was found, otherwise "mf"
// followed by each missing path and "\r\n".
std::string BuildBankLists(ExportLists& lists, UserInterface& ui, std::string_view questionsText,
                           std::string_view preTestText, const std::string& baseFolder);
// The status for the lists' missing files: "0" when there are none,
// otherwise "mf" followed by each entry and "\r\n".
std::string MissingFilesStatus(const ExportLists& lists);

// Records a path as found or missing: no repeats, at most 2000 per list,
// paths shorter than 2 characters ignored.
void AddMediaFile(ExportLists& lists, bool exists, const std::string& path);

// The name under which a bank's header records a media file.
std::string StripBackslashes(std::string_view path);

}  // namespace dorvel
