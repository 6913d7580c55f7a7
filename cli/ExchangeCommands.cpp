#include "cli/Commands.h"

#include "exchange/ExportQuestions.h"
#include "exchange/ImportFile.h"
#include "exchange/ImportedPictures.h"
#include "exchange/ImportedSets.h"
#include "exchange/Reasons.h"
#include "exchange/SetRecords.h"
#include "languages/LangStrings.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace dorvel::cli {

using namespace dorvel::exchange;

int runImport(const Args& args, Context& context)
{
    std::optional<Format> format;
    bool oneRun = false;  // --one-set: the questions of every category together
    Args files;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--format" && k + 1 < args.size()) {
            format = FormatNamed(args[++k]);
            if (!format) {
                std::fputs("dorvel-cli import: --format is gift, aiken or moodlexml\n", stderr);
                return 2;
            }
        } else if (args[k] == "--one-set") {
            oneRun = true;
        } else {
            files.push_back(args[k]);
        }
    }
    if (files.size() != 2) {
        std::fputs("usage: dorvel-cli import FILE OUT.vtd [--format gift|aiken|moodlexml] [--one-set]\n", stderr);
        return 2;
    }
    const LangStrings& lang = context.lang;
    ImportResult result = ImportQuestionFile(files[0], format);
    if (result.error)
        return fail(lang.at(text::kImportFailed) + " " + files[0] + ": " + ImportErrorText(result, lang));
    if (result.questions.empty()) {
        for (const Skipped& s : result.skipped)
            std::fprintf(stderr, "%s\n", SkippedText(s, lang).c_str());
        return fail(lang.at(reason::kNothingToImport));
    }
    // A file of several categories makes a set (or more) of each, named
    // after it, unless --one-set keeps them together.
    ImportedSets imported = SetsOfImport(result.questions, result.category, !oneRun);
    std::vector<OpenSet>& sets = imported.sets;
    // Only the named file is replaced; further sets take names nothing holds.
    std::vector<std::string> paths;
    std::string nameError;
    if (!TakeImportedSetPaths(files[1], sets.size(), paths, nameError)) {
        for (std::size_t k = 1; k < paths.size(); ++k)
            DeleteFile(paths[k]);
        return fail(nameError);
    }
    // The pictures go into "OUT media" beside the sets, named relative to them.
    const std::string folder = PictureFolderOf(paths.front());
    PlacedPictures pictures = PlaceImportedPictures(result, sets, folder, paths, imported.places);
    // Nothing is dropped without a word: every question and part left out is listed.
    for (const Skipped& s : result.skipped)
        std::fprintf(stderr, "%s\n", SkippedText(s, lang).c_str());
    for (const LeftOut& l : result.leftOut)
        std::fprintf(stderr, "%s\n", LeftOutText(l, lang).c_str());
    for (std::size_t k = 0; k < sets.size(); ++k) {
        std::string error;
        if (!WriteStoredFile(paths[k], PrepareSetFileText(sets[k], std::time(nullptr)), &error)) {
            // The names taken for the sets not written are given back.
            for (std::size_t later = std::max<std::size_t>(k, 1); later < paths.size(); ++later)
                DeleteFile(paths[later]);
            return fail("cannot write " + paths[k] + ": " + error);
        }
        std::printf("%s\t%d\n", paths[k].c_str(), sets[k].questionCount());
    }
    // The pictures come into their folder once the sets that name them are written.
    CommitImportedPictures(pictures);
    if (!pictures.error.empty())
        std::fprintf(stderr, "%s\n", FilledText(lang.at(text::kPicturesNotSaved), pictures.error).c_str());
    else if (pictures.named > 0)
        std::fprintf(stderr, "%s\n", FilledText(lang.at(text::kPicturesSavedIn), folder).c_str());
    const std::string summary = FilledText(lang.at(text::kImportedCount), std::to_string(result.questions.size()),
                                           std::to_string(result.skipped.size()));
    std::fprintf(stderr, "%s\n", summary.c_str());
    if (imported.categories > 0)
        std::fprintf(stderr, "%s\n", FilledText(lang.at(text::kSetPerCategory), std::to_string(imported.categories)).c_str());
    return 0;
}

int runConvert(const Args& args, Context& context)
{
    if (args.size() != 2 || !ExportFormatOf(args[1])) {
        std::fputs("usage: dorvel-cli convert SET.vtd OUT.xml|OUT.gift|OUT.zip\n", stderr);
        return 2;
    }
    OpenSet set;
    std::string readError;
    switch (ReadSetFile(args[0], set, &readError)) {
    case SetFileStatus::Ok: break;
    case SetFileStatus::Unreadable: return fail("cannot read " + args[0] + " (" + readError + ")");
    case SetFileStatus::NotASet: return fail(args[0] + " is not a Dorvel set file");
    case SetFileStatus::LaterVersion: return fail(args[0] + " was made by a later version of Dorvel");
    }
    set.filePath = args[0];
    const ExportOutcome outcome = ExportSetQuestions(set, args[1], *ExportFormatOf(args[1]), context.lang);
    for (const std::string& note : outcome.notes)
        std::fprintf(stderr, "%s\n", note.c_str());
    if (!outcome.written)
        return fail(context.lang.at(text::kExportFailed) + " " + args[1] + ": " + outcome.error);
    return 0;
}

}  // namespace dorvel::cli
