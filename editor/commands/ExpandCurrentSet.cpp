#include "editor/commands/ExpandCurrentSet.h"

#include "building/ExpandSet.h"
#include "editor/Workspace.h"
#include "model/OpenSet.h"

namespace dorvel {

std::string ExpandSet(Workspace& workspace, UserInterface& ui, const LangStrings& lang, ExportLists& lists,
                      int questionNumber)
{
    static const OpenSet kNoSet;
    const OpenSet* set = workspace.current();
    return ExpandSet(set ? *set : kNoSet, ui, lang, lists, questionNumber);
}

}  // namespace dorvel
