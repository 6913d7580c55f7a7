#include "exchange/ImportQuestionsCall.h"

#include "editor/Workspace.h"
#include "exchange/ImportFile.h"
#include "exchange/MarkedText.h"
#include "exchange/Reasons.h"
#include "exchange/SetRecords.h"
#include "shell/LangStrings.h"
#include "storage/FileUtils.h"

namespace dorvel::exchange {

void ImportQuestionsCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang)
{
    FileDialog dialog;
    dialog.title = "Import Questions...";
    dialog.filter = "Question Files (GIFT, Aiken, Moodle XML)|*.gift;*.txt;*.xml|All Files|*";
    dialog.folder = workspace.lastDir();
    const std::vector<std::string> chosen = ui.chooseOpenFiles(dialog);
    if (chosen.empty())
        return;
    const std::string& path = chosen.front();
    workspace.setLastDir(ExtractFilePath(path));

    ImportResult result = ImportQuestionFile(path, std::nullopt);
    if (result.error) {
        ui.showMessage(lang.at(text::kImportFailed) + "\n" + path + "\n" + ImportErrorText(result, lang), Tone::Error);
        return;
    }
    // As many sets as entries are free; the questions beyond are listed.
    const int free = kMaxOpenSets - workspace.openSetCount();
    const std::vector<OpenSet> sets = SetsOfQuestions(result.questions, result.category);
    int imported = 0;
    for (std::size_t k = 0; k < sets.size(); ++k) {
        if (static_cast<int>(k) < free) {
            workspace.OpenUnsavedSet(sets[k]);
            imported += sets[k].questionCount();
            continue;
        }
        for (int n = 1; n <= sets[k].questionCount(); ++n) {
            const Question& q = result.questions[k * kMaxQuestions + static_cast<std::size_t>(n - 1)];
            result.skipped.push_back({q.position, ShortLabel(q.name.empty() ? q.text : q.name), reason::kOverLimit});
        }
    }
    std::string message = FilledText(lang.at(text::kImportedCount), std::to_string(imported),
        std::to_string(result.skipped.size()));
    if (imported == 0 && result.skipped.empty())
        message = lang.at(reason::kNothingToImport);
    std::string list;
    if (!result.skipped.empty()) {
        message += "\n" + lang.at(text::kNotImported);
        for (const Skipped& s : result.skipped)
            list += (list.empty() ? "" : "\n") + SkippedText(s, lang);
    }
    ui.showMessageWithList(message, list, result.skipped.empty() && imported > 0 ? Tone::Information : Tone::Warning);
}

}  // namespace dorvel::exchange
