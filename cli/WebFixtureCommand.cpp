// "webtest-fixture": writes a web test from hand-written question files, the
// way the web export does after expanding a set. The browser tests use it for
// elements no template makes (drag items, feedback areas, sounds, pictures).
#include "cli/Commands.h"

#include "bank/BankLists.h"
#include "bank/ExportLists.h"
#include "export/CreateWebPages.h"
#include "model/SetFields.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace dorvel::cli {

namespace {

// Nobody to ask: messages go to standard error, questions get their first answer.
class QuietUserInterface : public UserInterface {
public:
    void showMessage(const std::string& text, Tone) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    Answer ask(const std::string&, Buttons, Tone) override { return Answer::Yes; }
    std::vector<std::string> chooseOpenFiles(const FileDialog&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const FileDialog&) override { return std::nullopt; }
};

}  // namespace

// FIXTURE holds <details> (test details), <pretest> and <questions> (runs of
// <vtQuestion>); media paths in the questions are relative to its folder.
int runWebFixture(const Args& args, Context& context)
{
    if (args.size() < 2 || args.size() > 3) {
        std::fputs("usage: dorvel-cli webtest-fixture FIXTURE START.htm [SEED]\n", stderr);
        return 2;
    }
    std::string fixture;
    if (!ReadFileBytes(args[0], fixture))
        return fail("cannot read " + args[0]);
    const std::string details = GetTag(fixture, "details");
    const std::string& startPage = args[1];
    const auto slash = args[0].find_last_of('/');
    const std::string baseFolder = slash == std::string::npos ? std::string("./") : args[0].substr(0, slash + 1);
    const unsigned seed = args.size() == 3 ? static_cast<unsigned>(std::strtoul(args[2].c_str(), nullptr, 10)) : ClockSeed();

    QuietUserInterface ui;
    ExportLists lists;
    const std::string status = BuildBankLists(lists, ui, GetTag(fixture, "questions"), GetTag(fixture, "pretest"), baseFolder);
    if (status != "0")
        std::fprintf(stderr, "dorvel-cli: missing media: %s\n", status.c_str() + 2);

    const WrittenTest written = ExportWebTest(WebExport{startPage, GetTag(details, setfield::kTestName), details, "English (UK)", seed, {}}, lists, context.lang, ui);
    if (!written.error.empty())
        return fail("the web test was not written: " + written.error);
    return 0;
}

}  // namespace dorvel::cli
