#pragma once

#include <functional>
#include <optional>
#include <string>

// Whether double-clicking a set file opens the editor: the desktop's default
// program for set files must be our desktop entry.
namespace dorvel {

inline constexpr const char* kSetMimeType = "application/x-dorvel-set";
inline constexpr const char* kDesktopEntry = "dorvel.desktop";

// Asks the desktop which entry opens a MIME type; nullopt when it cannot
// tell (no xdg-mime, or it failed).
using DefaultHandlerQuery = std::function<std::optional<std::string>(const std::string& mimeType)>;

// Runs "xdg-mime query default <type>".
std::optional<std::string> QueryDefaultWithXdgMime(const std::string& mimeType);

// True when set files open with the editor. A desktop that cannot tell counts
// as not associated, so the author is told how to set it up.
bool SetFilesAssociated(const DefaultHandlerQuery& query = QueryDefaultWithXdgMime);

}  // namespace dorvel
