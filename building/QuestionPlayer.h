#pragma once

#include <string>
#include <string_view>

namespace dorvel {

class UserInterface;

// The MIME type under which the question player registers for bank files.
inline constexpr std::string_view kBankMimeType = "application/x-dorvel-bank";

struct QuestionPlayer {
    std::string path;
    // True: the player is registered for bank files, so the bank is opened
    // with the system's "open" action. False: the player in the installation
    // folder, started directly after writing its start file.
    bool viaAssociation = false;
};

// The player registered for bank files when its program exists, otherwise
// the player file of the installation folder (which may not exist).
QuestionPlayer FindQuestionPlayer();

// The program the desktop opens files of `mimeType` with (freedesktop
// mimeapps.list, mimeinfo.cache and .desktop entries under the XDG folders),
// or "" when no installed program is registered.
std::string AssociatedProgram(std::string_view mimeType);

// The program a .desktop entry's Exec line starts ("" when there is none).
std::string DesktopEntryProgram(const std::string& desktopFile);

// "VTX" with the platform's executable suffix.
std::string PlayerFileName();

// The start file the player reads its bank path from when started directly.
std::string PlayerStartFilePath();

// Hands the bank to the player. False when the start file could not be
// written or the system could not open the bank or the player.
bool StartQuestionPlayer(UserInterface& ui, const std::string& bankPath, const QuestionPlayer& player);

}  // namespace dorvel
