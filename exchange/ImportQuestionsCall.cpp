#include "exchange/ImportQuestionsCall.h"

#include "editor/Workspace.h"
#include "exchange/ImportFile.h"
#include "exchange/ImportedPictures.h"
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
    const std::size_t free = static_cast<std::size_t>(kMaxOpenSets - workspace.openSetCount());
    std::vector<OpenSet> sets = SetsOfQuestions(result.questions, result.category);
    for (std::size_t k = free; k < sets.size(); ++k) {
        for (int n = 1; n <= sets[k].questionCount(); ++n) {
            const Question& q = result.questions[k * kMaxQuestions + static_cast<std::size_t>(n - 1)];
            result.skipped.push_back({q.position, ShortLabel(q.name.empty() ? q.text : q.name), reason::kOverLimit});
            // A question that did not come in has no parts left out of it.
            std::erase_if(result.leftOut, [&q](const LeftOut& l) { return l.position == q.position; });
        }
    }
    if (sets.size() > free)
        sets.resize(free);
    // The sets have no file yet: their pictures go beside the imported file,
    // named absolutely until the first save names them from the set's folder.
    const std::string folder = PictureFolderOf(path);
    PlacedPictures pictures = PlaceImportedPictures(result, sets, folder);
    CommitImportedPictures(pictures);
    int imported = 0;
    for (const OpenSet& set : sets) {
        workspace.OpenUnsavedSet(set);
        imported += set.questionCount();
    }
    std::string message = FilledText(lang.at(text::kImportedCount), std::to_string(imported),
                                     std::to_string(result.skipped.size()));
    if (imported == 0 && result.skipped.empty())
        message = lang.at(reason::kNothingToImport);
    if (!pictures.error.empty())
        message += "\n" + FilledText(lang.at(text::kPicturesNotSaved), pictures.error);
    else if (pictures.named > 0)
        message += "\n" + FilledText(lang.at(text::kPicturesSavedIn), folder);
    std::string list;
    if (!result.skipped.empty() || !result.leftOut.empty()) {
        message += "\n" + lang.at(result.leftOut.empty() ? text::kNotImported : text::kPartsLeftOut);
        for (const Skipped& s : result.skipped)
            list += (list.empty() ? "" : "\n") + SkippedText(s, lang);
        for (const LeftOut& l : result.leftOut)
            list += (list.empty() ? "" : "\n") + LeftOutText(l, lang);
    }
    const bool whole = result.skipped.empty() && result.leftOut.empty() && pictures.error.empty();
    ui.showMessageWithList(message, list, whole && imported > 0 ? Tone::Information : Tone::Warning);
}

}  // namespace dorvel::exchange
