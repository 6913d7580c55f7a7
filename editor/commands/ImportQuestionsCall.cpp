#include "editor/commands/ImportQuestionsCall.h"

#include "editor/Workspace.h"
#include "exchange/ImportFile.h"
#include "exchange/ImportedPictures.h"
#include "exchange/ImportedSets.h"
#include "exchange/MarkedText.h"
#include "exchange/Reasons.h"
#include "exchange/SetRecords.h"
#include "languages/LangStrings.h"
#include "storage/FileUtils.h"

namespace dorvel::exchange {

namespace {

// The format a filter of the import dialog names: the first and the last
// (every file) leave it to the file's name and content.
std::optional<Format> formatOfFilter(int filter)
{
    switch (filter) {
    case 1: return Format::Gift;
    case 2: return Format::Aiken;
    case 3: return Format::MoodleXml;
    default: return std::nullopt;
    }
}

}  // namespace

void ImportQuestionsCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang)
{
    FileDialog dialog;
    dialog.title = "Import Questions...";
    // The author may name the format; otherwise the file's name, then its
    // content, says it.
    dialog.filter = lang.at(text::kAnyQuestionFile) + "|*.gift;*.txt;*.xml|" + lang.at(text::kGift) + "|*.gift;*.txt|"
        + lang.at(text::kAikenFile) + "|*.txt|" + lang.at(text::kMoodleXml) + "|*.xml|All Files|*";
    dialog.folder = workspace.lastDir();
    int filter = 0;
    dialog.chosenFilter = &filter;
    const std::vector<std::string> chosen = ui.chooseOpenFiles(dialog);
    if (chosen.empty())
        return;
    const std::string& path = chosen.front();
    workspace.setLastDir(ExtractFilePath(path));

    ImportResult result = ImportQuestionFile(path, formatOfFilter(filter));
    if (result.error) {
        ui.showMessage(lang.at(text::kImportFailed) + "\n" + path + "\n" + ImportErrorText(result, lang), Tone::Error);
        return;
    }
    // A file of several categories becomes a set for each, unless the
    // author wants its questions together.
    bool perCategory = false;
    if (const std::size_t categories = CategoriesOf(result.questions).size(); categories > 1) {
        const std::optional<int> answer = ui.chooseOne(
            FilledText(lang.at(text::kHowToImportCategories), std::to_string(categories)),
            {lang.at(text::kSetPerCategoryChoice), lang.at(text::kAllTogetherChoice)});
        if (!answer)
            return;
        perCategory = *answer == 0;
    }
    ImportedSets imported = SetsOfImport(result.questions, result.category, perCategory);
    std::vector<OpenSet>& sets = imported.sets;
    // As many sets as entries are free; the questions beyond are listed.
    const std::size_t free = static_cast<std::size_t>(kMaxOpenSets - workspace.openSetCount());
    for (std::size_t k = 0; k < result.questions.size(); ++k) {
        QuestionPlace& place = imported.places[k];
        if (place.set < 0 || static_cast<std::size_t>(place.set) < free)
            continue;
        const Question& q = result.questions[k];
        result.skipped.push_back({q.position, ShortLabel(q.name.empty() ? q.text : q.name), reason::kOverLimit});
        // A question that did not come in has no parts left out of it.
        std::erase_if(result.leftOut, [&q](const LeftOut& l) { return l.position == q.position; });
        place.set = -1;
    }
    if (sets.size() > free)
        sets.resize(free);
    // The sets have no file yet: their pictures go beside the imported file,
    // named absolutely until the first save names them from the set's folder.
    const std::string folder = PictureFolderOf(path);
    PlacedPictures pictures = PlaceImportedPictures(result, sets, folder, {}, imported.places);
    CommitImportedPictures(pictures);
    int count = 0;
    for (const OpenSet& set : sets) {
        workspace.OpenUnsavedSet(set);
        count += set.questionCount();
    }
    std::string message = FilledText(lang.at(text::kImportedCount), std::to_string(count),
                                     std::to_string(result.skipped.size()));
    if (count == 0 && result.skipped.empty())
        message = lang.at(reason::kNothingToImport);
    if (imported.categories > 0)
        message += "\n" + FilledText(lang.at(text::kSetPerCategory), std::to_string(imported.categories));
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
    ui.showMessageWithList(message, list, whole && count > 0 ? Tone::Information : Tone::Warning);
}

}  // namespace dorvel::exchange
