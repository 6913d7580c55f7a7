#pragma once

#include "export/FlowPages.h"
#include "platform/UserInterface.h"

#include <optional>
#include <string>

namespace dorvel {

class LangStrings;
class Workspace;
struct OpenSet;

// Asks where to write an export of `set`: the dialog opens in the last folder
// with the set's file name proposed (blanks removed when `withoutBlanks`,
// then `nameSuffix` added), and the answer gets `extension`. Remembers the
// folder; nothing when cancelled.
std::optional<std::string> ChooseExportPath(Workspace& workspace, UserInterface& ui, const OpenSet& set,
                                            FileDialog dialog, bool withoutBlanks, const std::string& nameSuffix = {});

// Saves the current set and expands it into the export lists, with the
// progress window shown; false (the window hidden) when its templates are
// unusable and the export must stop.
bool SaveAndExpandForExport(Workspace& workspace, UserInterface& ui, const LangStrings& lang);

// Create Web Pages, as a start page with its folder or as one file
// (`singleFile`): asks for the start page, saves the current set (and
// expands it for the classic pages), exports it and offers to open the test
// from its file. The classic layout writes the flowing pages for a set
// holding a question it cannot show, and tells the author which.
void CreateWebPagesCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang, const std::string& language,
                        bool singleFile = false, WebLayout layout = WebLayout::Flow);

}  // namespace dorvel
