#include "editor/commands/PreviewCommand.h"

#include "bank/BankFile.h"
#include "building/ExpandSet.h"
#include "building/QuestionPlayer.h"
#include "editor/Workspace.h"
#include "editor/commands/BuildCommand.h"
#include "languages/LangStrings.h"
#include "model/SetFields.h"
#include "platform/SystemFiles.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QDir>
#include <QStandardPaths>

namespace dorvel {

std::string PreviewFolder()
{
    // The user's runtime folder is private already (Qt makes one in the
    // temporary folder, mode 0700, where the system has none). Only when
    // even that is refused does the name in the temporary folder carry the
    // user's name; MakePrivateFolder refuses it should someone else own it.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return WithSeparator(JoinPath(fromQString(runtime), "dorvel-preview"));
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME", QStringLiteral("user")));
    return WithSeparator(JoinPath(fromQString(QDir::tempPath()), "dorvel-preview-" + fromQString(user)));
}

std::string PreviewTestDetails(const std::string& testDetails, int questionNumber)
{
    std::string copy = SetTag(testDetails, setfield::kAllowMarking, "1");
    copy = SetTag(copy, setfield::kAllowCheating, "1");
    copy = SetTag(copy, setfield::kQuestionPreviewNumber, std::to_string(questionNumber));
    return SetTag(copy, "questionPreview", "1");
}

void PreviewQuestion(Workspace& workspace, UserInterface& ui, const LangStrings& lang, ExportLists& lists)
{
    const OpenSet* set = workspace.current();
    if (!set || workspace.currentQuestion() < 1)
        return;

    const QuestionPlayer player = FindQuestionPlayer();
    if (!FileExists(player.path)) {
        workspace.ShowMessageKey(Message::PlayerMissingForPreview);
        return;
    }

    // A private folder: on a shared computer no other account can take its
    // name first, read the question or swap the bank before the player reads it.
    const std::string folder = PreviewFolder();
    if (!MakePrivateFolder(folder.substr(0, folder.size() - 1))) {
        ReportBankNotWritten(ui, lang, folder, {BankWriteStatus::CannotCreate, "a private folder is needed here: " + LastErrorText()});
        return;
    }
    const std::string bankPath = folder + "singleq.vtb";
    DeleteFile(bankPath);

    ui.progressLabel(lang.at(Message::ExpandingQuestions));
    ui.progressCaption(lang.at(Message::PreviewingQuestion));
    // A question left out of the test is still the author's to look at: the
    // preview shows it as the test would if it were taken back in.
    const int n = workspace.currentQuestion();
    OpenSet shown = *set;
    std::string& record = shown.questionSlots[static_cast<std::size_t>(n)];
    if (GetTagInt(record, setfield::kQuestionDisabled, 0) == 1)
        record = SetTag(record, setfield::kQuestionDisabled, "0");
    // Missing media stop the preview too: the player would show holes.
    if (ExpandSet(shown, ui, lang, lists, n) != "0") {
        workspace.ShowMessageKey(Message::QuestionNotBuilt);
        return;
    }

    const BankWriteResult result = WriteBankFile(lists, ui, bankPath, PreviewTestDetails(set->testDetails, workspace.currentQuestion()),
                                                 lang.at(Message::CollectingMedia), lang.at(Message::WritingBank));
    switch (result.status) {
    case BankWriteStatus::Written:
        if (!StartQuestionPlayer(ui, bankPath, player))
            workspace.ShowMessageKey(Message::PlayerNotStarted);
        break;
    case BankWriteStatus::NoMedia:
        // An empty question: nothing to show.
        break;
    case BankWriteStatus::CannotCreate:
    case BankWriteStatus::WriteFailed:
        ReportBankNotWritten(ui, lang, bankPath, result);
        break;
    }
}

}  // namespace dorvel
