#pragma once

#include "media/MediaCheck.h"

#include <string>
#include <vector>

// Choosing, dropping and removing the current question's picture and sound.
// Every file is checked before it is taken; a refused file leaves the
// question as it was and the author is told why.
namespace dorvel {

class LangStrings;
class UserInterface;
class Workspace;

// Takes `path` as the current question's picture or sound. False when it
// was refused (with a message) or no question is shown.
bool TakeQuestionMedia(Workspace& workspace, UserInterface& ui, const LangStrings& lang, MediaKind kind,
                       const std::string& path);
// Asks for a file with a dialog offering only the kinds taken, then takes it.
// False when the author cancels or the file was refused.
bool ChooseQuestionMedia(Workspace& workspace, UserInterface& ui, const LangStrings& lang, MediaKind kind);
// Files dropped onto the question page: the first is taken as a picture or
// a sound by its extension; anything else is refused with a message.
bool DropQuestionMedia(Workspace& workspace, UserInterface& ui, const LangStrings& lang,
                       const std::vector<std::string>& paths);
// The current question names no picture (or sound) any more.
bool RemoveQuestionMedia(Workspace& workspace, MediaKind kind);

// The current question's picture described with `text` (as typed), for a
// student who cannot see it; typing on is one undo step. False when no
// question is shown or it names no picture.
bool DescribeQuestionPicture(Workspace& workspace, const std::string& text);

// The file the current question's picture or sound is shown from, "" when
// it names none or the file is missing.
std::string CurrentQuestionMedia(Workspace& workspace, MediaKind kind);

}  // namespace dorvel
