#include "exchange/ExportQuestions.h"

#include "exchange/ImportFile.h"
#include "exchange/Reasons.h"
#include "exchange/SetRecords.h"
#include "languages/LangStrings.h"
#include "languages/MediaMessages.h"
#include "media/QuestionMedia.h"
#include "model/OpenSet.h"
#include "model/SetFields.h"
#include "storage/FileUtils.h"
#include "storage/SaveStream.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

namespace dorvel::exchange {

namespace {

std::string setName(const OpenSet& set)
{
    const std::string name = GetTag(set.testDetails, setfield::kTestName);
    if (!name.empty() && name != "0" && name != " ")
        return DecodeText(name);
    std::string file = ExtractFileName(set.filePath);
    return file.size() > 4 ? file.substr(0, file.size() - 4) : file;
}

}  // namespace

ExportOutcome ExportSetQuestions(const OpenSet& set, const std::string& path, ExportFormat format,
                                 const LangStrings& lang)
{
    ExportOutcome outcome;
    std::vector<ExportQuestion> questions;
    // Numbers the set's switched-on questions skip are the switched-off ones.
    int expected = 1;
    auto noteSwitchedOffBefore = [&](int number) {
        for (; expected < number; ++expected) {
            outcome.notes.push_back(FilledText(lang.at(text::kSwitchedOff), std::to_string(expected)));
        }
        expected = number + 1;
    };
    for (NumberedQuestion& n : QuestionsOfSet(set)) {
        noteSwitchedOffBefore(n.number);
        const std::string& record = set.questionSlots[static_cast<std::size_t>(n.number)];
        const ResolvedMedia picture = ResolveQuestionMedia(record, MediaKind::Picture, set.filePath);
        const ResolvedMedia sound = ResolveQuestionMedia(record, MediaKind::Sound, set.filePath);
        // GIFT carries no picture; no format here carries a sound. A picture
        // goes out only when it passes the checks every other output makes:
        // a set may name any file (a system file, a file far up the folder
        // tree), and the file goes into what the author hands on.
        bool pictureGoes = format != ExportFormat::Gift && picture.found;
        if (pictureGoes) {
            const MediaCheck check = CheckQuestionMedia(picture.path, MediaKind::Picture);
            if (!check.ok()) {
                pictureGoes = false;
                outcome.notes.push_back(FilledText(lang.at(text::kPictureNotTaken), std::to_string(n.number), picture.path,
                                                   MediaVerdictText(check.verdict, MediaKind::Picture, lang)));
            }
        } else if (picture.named) {
            outcome.notes.push_back(FilledText(lang.at(text::kPictureLeftOut), std::to_string(n.number), picture.path));
        }
        if (sound.named)
            outcome.notes.push_back(FilledText(lang.at(text::kSoundLeftOut), std::to_string(n.number), sound.path));
        if (format == ExportFormat::Gift && !GiftCarries(n.question)) {
            outcome.notes.push_back(FilledText(lang.at(text::kNotInGift), std::to_string(n.number)));
            continue;
        }
        questions.push_back({n.number, std::move(n.question), pictureGoes ? picture.path : std::string()});
    }
    noteSwitchedOffBefore(set.questionCount() + 1);
    if (questions.empty()) {
        outcome.error = lang.at(text::kNoQuestions);
        return outcome;
    }
    const std::string name = setName(set);
    switch (format) {
    case ExportFormat::MoodleXml: {
        SaveStream file(path);
        std::string pictureError;
        if (!file.begin(&outcome.error))
            break;
        if (!WriteMoodleXml(file, questions, name, pictureError)) {
            outcome.error = pictureError.empty() ? file.error() : pictureError;
            break;
        }
        outcome.written = file.commit(&outcome.error);
        // Pictures make a file larger than import programs read, ours too.
        if (outcome.written && file.written() > static_cast<qint64>(kMaxImportFileSize)) {
            outcome.notes.push_back(FilledText(lang.at(text::kLargerThanImports), std::to_string((file.written() + (1 << 20) - 1) >> 20),
                                               std::to_string(kMaxImportFileSize >> 20)));
        }
        break;
    }
    case ExportFormat::Gift:
        outcome.written = WriteFileBytes(path, GiftText(questions, name), &outcome.error);
        break;
    case ExportFormat::QtiPackage:
        outcome.written = WriteQtiPackage(path, questions, name,
                                          QtiTexts{lang.at(text::kTrue), lang.at(text::kFalse)}, outcome.error);
        break;
    }
    return outcome;
}

}  // namespace dorvel::exchange
