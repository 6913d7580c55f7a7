// "expand", "build" and "bank": the question building steps without the
// window, for template authors and for checking banks.
#include "cli/Commands.h"

#include "bank/BankFile.h"
#include "bank/BankReader.h"
#include "bank/ExportLists.h"
#include "building/ExpandSet.h"
#include "cli/ConsoleUserInterface.h"
#include "cli/VisibleText.h"
#include "editor/commands/BuildCommand.h"
#include "languages/LangStrings.h"
#include "model/OpenSet.h"
#include "model/SetFields.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <charconv>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

namespace dorvel::cli {

namespace {

std::unique_ptr<OpenSet> ReadSet(const std::string& path, std::string& error)
{
    auto set = std::make_unique<OpenSet>();
    if (!FileExists(path)) {
        error = "no such file: " + path;
        return nullptr;
    }
    std::string readError;
    switch (ReadSetFile(path, *set, &readError)) {
    case SetFileStatus::Ok:
        set->filePath = path;
        return set;
    case SetFileStatus::NotASet:
        error = path + " is not a Dorvel set file";
        break;
    case SetFileStatus::Unreadable:
        error = "cannot read " + path + " (" + readError + ")";
        break;
    case SetFileStatus::LaterVersion:
        error = path + " was made by a later version of Dorvel";
        break;
    }
    return nullptr;
}

void PrintMissing(const ExportLists& lists)
{
    for (const std::string& path : lists.missingFiles)
        std::fprintf(stderr, "dorvel-cli: missing media file: %s\n", path.c_str());
}

void PrintRecords(const char* heading, const std::string& list)
{
    int n = 0;
    for (const std::string& q : BankReader::NumberedRecords(list))
        std::printf("# %s %d\n<vtQuestion>%s</vtQuestion>\n", heading, n++, q.c_str());
}

// The title a question file shows: the text element named "Title".
std::string QuestionTitle(std::string q)
{
    for (std::string t = GetTag(q, "vtText"); !t.empty(); t = GetTag(q, "vtText")) {
        if (GetTag(t, "textName") == "Title")
            return ShownText(GetTag(t, "vtString"));
        q = RemoveTag(q, "vtText");
    }
    return {};
}

std::string ShownName(const std::string& value)
{
    return value == "0" ? std::string() : ShownText(value);
}

// Writes every embedded file into `folder` under its own file name; a name
// met twice, or one that is no plain name, gets the record's number in front.
// A bank whose records share bytes is refused before anything is written (it
// could unpack into many times its size), and the whole never exceeds the
// bank's data.
int ExtractAll(BankReader& reader, const std::string& folder)
{
    if (const std::string overlap = OverlapError(reader.files()); !overlap.empty())
        return fail(reader.path() + ": " + overlap + "; nothing was extracted");
    std::int64_t total = 0;
    for (const BankFileEntry& entry : reader.files())
        total += entry.size();
    if (total > reader.dataSize())
        return fail(reader.path() + ": its records hold more than the bank's data; nothing was extracted");
    if (!ForceDirectory(folder))
        return fail("cannot create " + folder);
    std::set<std::string> used;
    int failures = 0;
    for (std::size_t i = 0; i < reader.files().size(); ++i) {
        const BankFileEntry& entry = reader.files()[i];
        if (!entry.embedded())
            continue;
        std::string name = ExtractFileName(entry.name);
        if (!IsPlainFileName(name) || used.count(name))
            name = std::to_string(i) + "-" + (IsPlainFileName(name) ? name : std::string("file"));
        used.insert(name);
        if (!reader.extract(entry, folder, name)) {
            std::fprintf(stderr, "dorvel-cli: %s\n", VisibleText(reader.error()).c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int runExpand(const Args& args, Context& context)
{
    // A question number is digits only ("3abc" and "+3" are no number), from
    // 1 to the set's number of questions.
    int number = 0;
    if (args.size() == 2) {
        const std::string& text = args[1];
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (text.empty() || text[0] == '-' || ec != std::errc() || end != text.data() + text.size() || number < 1)
            number = -1;
    }
    if (args.empty() || args.size() > 2 || number < 0 || number > kMaxQuestions) {
        std::fputs("usage: dorvel-cli expand SET.vtd [QUESTION 1-100]\n", stderr);
        return 2;
    }
    std::string error;
    const auto set = ReadSet(args[0], error);
    if (!set)
        return fail(error);
    if (number > set->questionCount()) {
        std::fprintf(stderr, "dorvel-cli: %s has %d questions; there is no question %d\n", args[0].c_str(),
                     set->questionCount(), number);
        return 2;
    }
    ConsoleUserInterface ui;
    ExportLists lists;
    const std::string status = ExpandSet(*set, ui, context.lang, lists, number);
    if (status == kTemplateFileProblem)
        return fail("status " + status);
    PrintRecords("pre-test page", lists.preTestFileList);
    PrintRecords("question file", lists.questionFileList);
    PrintMissing(lists);
    std::printf("# status %s\n", status == "0" ? "0" : "mf");
    return 0;
}

int runBuild(const Args& args, Context& context)
{
    if (args.size() != 2) {
        std::fputs("usage: dorvel-cli build SET.vtd BANK.vtb\n", stderr);
        return 2;
    }
    std::string error;
    const auto set = ReadSet(args[0], error);
    if (!set)
        return fail(error);
    ConsoleUserInterface ui;
    ExportLists& lists = TheExportLists();
    const std::string status = ExpandSet(*set, ui, context.lang, lists, 0);
    if (status == kTemplateFileProblem)
        return fail("the set's question templates are missing or unusable");
    // As when the author answers Yes: the bank is built without them.
    PrintMissing(lists);

    const std::string bankPath = BankPathFor(args[1]);
    const BankWriteResult result = WriteBankFile(lists, ui, bankPath, set->testDetails, context.lang.at(Message::CollectingMedia), context.lang.at(Message::WritingBank));
    switch (result.status) {
    case BankWriteStatus::Written:
        std::printf("%s\n", bankPath.c_str());
        return 0;
    case BankWriteStatus::NoMedia:
        return fail(bankPath + " holds no media file, so the question player cannot show it");
    case BankWriteStatus::CannotCreate:
    case BankWriteStatus::WriteFailed:
        break;
    }
    return fail(result.error);
}

int runBank(const Args& args, Context&)
{
    std::string extractTo;
    if (args.size() == 3 && args[1] == "--extract")
        extractTo = args[2];
    if (args.size() != 1 && extractTo.empty()) {
        std::fputs("usage: dorvel-cli bank BANK.vtb [--extract FOLDER]\n", stderr);
        return 2;
    }
    BankReader reader;
    if (!reader.open(args[0]))
        return fail(reader.error());

    const std::string details = reader.testDetails();
    std::printf("Test name: %s\n", ShownName(GetTag(details, setfield::kTestName)).c_str());
    std::printf("Examiner: %s\n", ShownName(GetTag(details, setfield::kExaminerName)).c_str());
    std::printf("Style: %s\n", ShownText(GetTag(details, setfield::kGraphicStyle)).c_str());
    std::printf("Pre-test pages: %zu\n", BankReader::NumberedRecords(reader.preTestFileList()).size());
    const auto questions = BankReader::NumberedRecords(reader.questionFileList());
    std::printf("Questions: %zu\n", questions.size());
    for (std::size_t i = 0; i < questions.size(); ++i)
        std::printf("%zu\t%s\n", i + 1, VisibleText(QuestionTitle(questions[i])).c_str());
    std::printf("Files: %zu\n", reader.files().size());
    for (const BankFileEntry& e : reader.files()) {
        if (e.embedded())
            std::printf("%lld\t%s\n", static_cast<long long>(e.size()), VisibleText(e.name).c_str());
        else
            std::printf("missing\t%s\n", VisibleText(e.name).c_str());
    }
    return extractTo.empty() ? 0 : ExtractAll(reader, extractTo);
}

}  // namespace dorvel::cli
