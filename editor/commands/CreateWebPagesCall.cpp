#include "editor/commands/CreateWebPagesCall.h"

#include "bank/ExportLists.h"
#include "building/ExpandSet.h"
#include "editor/Workspace.h"
#include "editor/commands/ExpandCurrentSet.h"
#include "export/CreateWebPages.h"
#include "export/StartPages.h"
#include "languages/LangStrings.h"
#include "platform/SystemFiles.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

namespace dorvel {

namespace {

std::string withoutBlanks(std::string text)
{
    std::string out;
    for (const char c : text) {
        if (c != ' ')
            out += c;
    }
    return out;
}

}  // namespace

std::optional<std::string> ChooseExportPath(Workspace& workspace, UserInterface& ui, const OpenSet& set,
                                            FileDialog dialog, bool removeBlanks, const std::string& nameSuffix)
{
    std::string proposed = ExtractFileName(set.filePath);
    proposed.erase(proposed.size() >= 4 ? proposed.size() - 4 : 0);
    dialog.folder = workspace.lastDir();
    dialog.proposedName = (removeBlanks ? withoutBlanks(proposed) : proposed) + nameSuffix;
    const std::optional<std::string> chosen = ui.chooseSaveFile(dialog);
    if (!chosen)
        return std::nullopt;
    workspace.setLastDir(ExtractFilePath(*chosen));
    return ChangeFileExt(*chosen, "." + dialog.defaultExtension);
}

bool SaveAndExpandForExport(Workspace& workspace, UserInterface& ui, const LangStrings& lang)
{
    workspace.SaveTest();

    ui.progressCaption(lang.at(Message::CreatingWebPages));
    ui.progressLabel(lang.at(Message::WebExpandingQuestions));
    ui.progressPosition(10);
    const std::string status = ExpandSet(workspace, ui, lang, TheExportLists(), 0);
    if (status == kTemplateFileProblem) {
        ui.progressHide();
        return false;
    }
    return true;
}

void CreateWebPagesCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang, const std::string& language,
                        bool singleFile)
{
    OpenSet* set = workspace.current();
    if (!set)
        return;
    FileDialog dialog = NamedFileDialog(NamedDialog::SaveWebTest);
    dialog.defaultExtension = "htm";
    // The single file gets a name of its own, so that it never takes the
    // place of a folder export's start page (which its folder would outlive).
    const std::optional<std::string> chosen
        = ChooseExportPath(workspace, ui, *set, dialog, true, singleFile ? " " + lang.at(Message::OneFileSuffix) : std::string());
    if (!chosen)
        return;
    const std::string startPage = *chosen;
    // The dialog asked about the start page only; the test's folder beside it
    // is asked about here, by name. (A link there is refused by the export.)
    // A single file writes no folder there.
    const std::string testFolder = TestFolder(startPage);
    if (!singleFile && DirectoryExists(testFolder) && !IsSymbolicLink(testFolder.substr(0, testFolder.size() - 1))
        && ui.ask(lang.at(Message::ReplaceWebTestFolder) + "\n" + testFolder, Buttons::YesNo, Tone::Question) != Answer::Yes)
        return;

    if (!SaveAndExpandForExport(workspace, ui, lang))
        return;
    const ExportLists& lists = TheExportLists();

    // Saving may have given a new set its file.
    set = workspace.current();
    if (!set)
        return;
    const WebExport request{startPage, WebTestName(set->testDetails, set->filePath), set->testDetails, language, ClockSeed(), {}};
    SingleFileTest single;
    const std::string error = singleFile ? (single = ExportSingleFileTest(request, lists, lang, ui)).error
                                         : ExportWebTest(request, lists, lang, ui).error;
    if (!error.empty()) {
        ui.announce(MessageKey(Message::WebTestNotWritten));
        ui.showMessage(lang.at(Message::WebTestNotWritten) + " " + error, Tone::Error);
        return;
    }

    workspace.showSavedAnd(lang.at(Message::WebTestWrittenTo) + " " + startPage);
    // Both forms run from their file: no server is needed to open them.
    ui.announce(MessageKey(Message::OpenWebTestNow));
    if (ui.ask(ExportedMessage(lang, startPage, singleFile ? &single : nullptr), Buttons::YesNo, Tone::Confirmation)
            != Answer::No
        && !ui.openWithSystem(startPage))
        ui.showMessage(lang.at(Message::NoBrowserStarted) + "\n" + startPage, Tone::Warning);
}

}  // namespace dorvel
