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
    ui.announce(MessageKey(Message::BankNotWritten));
    std::string text = lang.at(Message::BankNotWritten) + " " + bankPath;
    if (!result.error.empty())
        text += "\r\n\r\n" + result.error;
    ui.showMessage(text, Tone::Error);
}

void BuildButtonClick(Workspace& workspace, UserInterface& ui, const LangStrings& lang, ExportLists& lists)
{
    if (!workspace.current())
        return;

    FileDialog dialog = NamedFileDialog(NamedDialog::SaveBank);
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

    ui.progressLabel(lang.at(Message::ExpandingQuestions));
    ui.progressCaption(lang.at(Message::BuildingBank));
    const std::string status = ExpandSet(workspace, ui, lang, lists, 0);
    if (status == kTemplateFileProblem) {
        workspace.ShowMessageKey(Message::QuestionNotBuilt);
        ui.progressHide();
        return;
    }
    if (status.rfind("mf", 0) == 0) {
        ui.announce(MessageKey(Message::MediaMissingBuildAnyway));
        if (ui.ask(lang.at(Message::MediaMissingBuildAnyway) + "\r\n\r\n" + status.substr(2), Buttons::YesCancel, Tone::Warning) == Answer::Cancel) {
            ui.progressHide();
            return;
        }
    }

    ui.progressLabel("Creating bank...");
    ui.progressPosition(70);
    const BankWriteResult result = WriteBankFile(lists, ui, bankPath, set->testDetails, lang.at(Message::CollectingMedia), lang.at(Message::WritingBank));
    if (result.status == BankWriteStatus::CannotCreate || result.status == BankWriteStatus::WriteFailed) {
        ReportBankNotWritten(ui, lang, bankPath, result);
        return;
    }
    if (result.status == BankWriteStatus::NoMedia) {
        workspace.ShowMessageKey(Message::BankHoldsNoMedia);
        return;
    }
    workspace.showSavedAnd(lang.at(Message::BankWrittenTo) + " " + bankPath);

    const QuestionPlayer player = FindQuestionPlayer();
    if (!FileExists(player.path)) {
        workspace.ShowMessageKey(Message::BankBuiltPlayerMissing);
        return;
    }
    ui.announce(MessageKey(Message::BankBuiltTryIt));
    if (ui.ask(lang.at(Message::BankBuiltTryIt), Buttons::YesNo, Tone::Confirmation) != Answer::No) {
        if (!StartQuestionPlayer(ui, bankPath, player))
            workspace.ShowMessageKey(Message::PlayerNotStarted);
    }
}

}  // namespace dorvel
