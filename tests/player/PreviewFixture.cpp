// player-preview-fixture SET.vtd N: the editor's Preview of question N of a
// set, with a scripted user interface, for the browser tests. It writes the
// preview bank and the player start file into the installation folder
// (DORVEL_HOME) exactly as the editor does, and prints what the editor would
// have opened. Exit status 0 when the player would have been started.
#include "bank/ExportLists.h"
#include "editor/commands/PreviewCommand.h"
#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "languages/LanguagePack.h"
#include "tests/support/ScriptedUserInterface.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    using namespace dorvel;
    if (argc != 3) {
        std::fputs("usage: player-preview-fixture SET.vtd N\n", stderr);
        return 2;
    }
    LangStrings lang;
    LoadLanguageStrings(lang, kDefaultLanguage);
    test::ScriptedUserInterface ui;
    Workspace workspace(ui, lang);
    if (!workspace.OpenSetFile(argv[1])) {
        std::fprintf(stderr, "cannot open the set %s\n", argv[1]);
        return 1;
    }
    workspace.TestTreeChange(0, std::atoi(argv[2]));
    ExportLists lists;
    PreviewQuestion(workspace, ui, lang, lists);
    for (const std::string& m : ui.messages)
        std::fprintf(stderr, "message: %s\n", m.c_str());
    for (const std::string& o : ui.opened)
        std::printf("%s\n", o.c_str());
    return ui.opened.empty() ? 1 : 0;
}
