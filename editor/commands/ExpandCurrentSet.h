#pragma once

#include <string>

namespace dorvel {

class LangStrings;
class UserInterface;
class Workspace;
struct ExportLists;

// ExpandSet (building/ExpandSet.h) of the workspace's current set; with no
// set open, of an empty one.
std::string ExpandSet(Workspace& workspace, UserInterface& ui, const LangStrings& lang, ExportLists& lists,
                      int questionNumber);

}  // namespace dorvel
