#pragma once

#include <string>

namespace dorvel {

class Workspace;
class UserInterface;
class LangStrings;
struct ExportLists;

// The folder of the preview's scratch bank: "dorvel-preview" in the user's
// runtime folder (XDG_RUNTIME_DIR, or Qt's private one in the temporary
// folder). Preview makes it private (mode 0700). Ends with a separator.
std::string PreviewFolder();

// Shows the question being edited as the player will show it: expands it
// alone into a bank in the preview folder, with marking and cheating on,
// and starts the player on it. The set itself is not changed.
void PreviewQuestion(Workspace& workspace, UserInterface& ui, const LangStrings& lang, ExportLists& lists);

// A copy of the test details with the preview's flags set, naming the
// previewed question's number in the set (the player's titles show it).
std::string PreviewTestDetails(const std::string& testDetails, int questionNumber);

}  // namespace dorvel
