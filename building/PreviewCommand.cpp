#include "building/PreviewCommand.h"

#include "building/BuildCommand.h"
#include "building/ExpandSet.h"
#include "building/QuestionPlayer.h"
#include "editor/UserInterface.h"
#include "editor/Workspace.h"
#include "export/BankFile.h"
#include "shell/LangStrings.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QDir>

namespace dorvel {

std::string PreviewFolder()
{
    return WithSeparator(JoinPath(fromQString(QDir::tempPath()), "vtDorvel"));
}

std::string PreviewTestDetails(const std::string& testDetails)
{
    std::string copy = SetTag(testDetails, "allowMarking", "1");
    copy = SetTag(copy, "allowCheating", "1");
    return SetTag(copy, "questionPreview", "1");
}

void PreviewQuestion(Workspace& workspace, UserInterface& ui, const LangStrings& lang, ExportLists& lists)
{
    const OpenSet* set = workspace.current();
    if (!set || workspace.currentQuestion() < 1)
        return;

    const QuestionPlayer player = FindQuestionPlayer();
    if (!FileExists(player.path)) {
        workspace.ShowMessageKey("s27");
        return;
    }

    const std::string folder = PreviewFolder();
    ForceDirectory(folder);
    const std::string bankPath = folder + "singleq.vtb";
    DeleteFile(bankPath);
    // Left behind by earlier versions, which assembled the bank through it.
    DeleteFile(folder + "singleq.tmp");

    ui.progressLabel(lang.key("s28"));
    ui.progressCaption(lang.key("s29"));
    // Missing media stop the preview too: the player would show holes.
    if (ExpandSet(workspace, ui, lang, lists, workspace.currentQuestion()) != "0") {
        workspace.ShowMessageKey("s56");
        return;
    }

    const BankWriteResult result = WriteBankFile(lists, ui, bankPath, PreviewTestDetails(set->testDetails),
                                                 lang.at(46), lang.at(47));
    switch (result.status) {
    case BankWriteStatus::Written:
        if (!StartQuestionPlayer(ui, bankPath, player))
            workspace.ShowMessageKey("s33");
        break;
    case BankWriteStatus::NoMedia:
        // A disabled or empty question: nothing to show.
        break;
    case BankWriteStatus::CannotCreate:
    case BankWriteStatus::WriteFailed:
        ReportBankNotWritten(ui, lang, bankPath, result);
        break;
    }
}

}  // namespace dorvel
