#include "editor/commands/BuildCommand.h"

#include "bank/BankFile.h"
#include "building/ExpandSet.h"
#include "building/QuestionPlayer.h"
#include "editor/Workspace.h"
#include "editor/commands/ExpandCurrentSet.h"
#include "languages/LangStrings.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"

namespace dorvel {

std::string BankPathFor(const std::string& chosenPath)
{
    return ChangeFileExt(chosenPath, ".vtb");
}

void ReportBankNotWritten(UserInterface& ui, const LangStrings& lang, const std::string& bankPath,
                          const BankWriteResult& result)
{
    ui.announce("s32");
    std::string text = lang.key("s32") + " " + bankPath;
    if (!result.error.empty())
        text += "\r\n\r\n" + result.error;
    ui.showMessage(text, Tone::Error);
}

void BuildButtonClick(Workspace& workspace, UserInterface& ui, const LangStrings& lang, ExportLists& lists)
{
    if (!workspace.current())
        return;

    FileDialog dialog;
    dialog.title = "Save Question Bank As...";
    dialog.filter = "Question Banks|*.vtb";
    dialog.defaultExtension = "vtb";
    dialog.folder = workspace.lastDir();
    const std::string setName = ExtractFileName(workspace.current()->filePath);
    dialog.proposedName = setName.size() > 4 ? setName.substr(0, setName.size() - 4) : std::string();
    const std::optional<std::string> chosen = ui.chooseSaveFile(dialog);
    if (!chosen)
        return;
    workspace.setLastDir(ExtractFilePath(*chosen));
    const std::string bankPath = BankPathFor(*chosen);

    workspace.SaveTest();
    const OpenSet* set = workspace.current();
    if (!set)
        return;

    ui.progressLabel(lang.key("s28"));
    ui.progressCaption(lang.key("s30"));
    const std::string status = ExpandSet(workspace, ui, lang, lists, 0);
    if (status == kTemplateFileProblem) {
        workspace.ShowMessageKey("s56");
        ui.progressHide();
        return;
    }
    if (status.rfind("mf", 0) == 0) {
        ui.announce("s31");
        if (ui.ask(lang.at(31) + "\r\n\r\n" + status.substr(2), Buttons::YesCancel, Tone::Warning) == Answer::Cancel) {
            ui.progressHide();
            return;
        }
    }

    ui.progressLabel("Creating bank...");
    ui.progressPosition(70);
    const BankWriteResult result = WriteBankFile(lists, ui, bankPath, set->testDetails, lang.at(46), lang.at(47));
    if (result.status == BankWriteStatus::CannotCreate || result.status == BankWriteStatus::WriteFailed) {
        ReportBankNotWritten(ui, lang, bankPath, result);
        return;
    }
    if (result.status == BankWriteStatus::NoMedia) {
        workspace.ShowMessageKey("s34");
        return;
    }
    workspace.showSavedAnd(lang.at(401) + " " + bankPath);

    const QuestionPlayer player = FindQuestionPlayer();
    if (!FileExists(player.path)) {
        workspace.ShowMessageKey("s35");
        return;
    }
    ui.announce("s36");
    if (ui.ask(lang.at(36), Buttons::YesNo, Tone::Confirmation) != Answer::No) {
        if (!StartQuestionPlayer(ui, bankPath, player))
            workspace.ShowMessageKey("s33");
    }
}

}  // namespace dorvel
