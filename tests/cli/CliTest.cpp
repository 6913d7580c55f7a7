#include "archive/ZipReader.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvel {
namespace {

using CliRun = test::ProgramRun;

CliRun runCli(const std::vector<std::string>& args, const std::string& input = {})
{
    return test::RunProgram(DORVEL_CLI, args, input);
}

TEST(Cli, PackAndUnpackRoundTrip)
{
    test::TempFolder dir;
    const std::string set = dir.path("piped.vtd");
    const std::string text = "<vtDorvel><TestName>Piped</TestName></vtDorvel>";
    EXPECT_EQ(runCli({"pack", set}, text).status, 0);
    EXPECT_EQ(ReadStoredFile(set), text);
    const CliRun unpacked = runCli({"unpack", set});
    EXPECT_EQ(unpacked.status, 0);
    EXPECT_EQ(unpacked.out, text);
}

TEST(Cli, ShowListsDetailsAndQuestions)
{
    const CliRun run = runCli({"show", std::string(DORVEL_BUILD_INSTALL_DIR) + "/Samples/General Knowledge.vtd"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Test name: General Knowledge\n"), std::string::npos);
    EXPECT_NE(run.out.find("Questions: 11\n"), std::string::npos);
    EXPECT_NE(run.out.find("\n4\tTrue/False, 1 Button\tenabled\tDecide whether the statement is true.\n"),
              std::string::npos);
}

// An imported or hand-made set may name a style that is not installed, or
// none: show says which style its export uses.
TEST(Cli, ShowNamesTheStyleAnExportUses)
{
    test::TempFolder dir;
    const struct {
        const char* details;
        const char* shown;
    } cases[] = {
        {"<GraphicStyle>Notebook</GraphicStyle>", "Style: Notebook\n"},
        {"<GraphicStyle>Default</GraphicStyle>", "Style: Default (not installed; exports use Chalkboard)\n"},
        {"", "Style: none (exports use Chalkboard)\n"},
        // Whether the start page asks for the student's name: only where the set says so.
        {"", "Student's name asked: no\n"},
        {"<shouldUserEnterDetails>1</shouldUserEnterDetails>", "Student's name asked: yes\n"},
    };
    for (const auto& c : cases) {
        const std::string set = dir.path("style.vtd");
        ASSERT_EQ(runCli({"pack", set}, std::string("<vtDorvel><TestName>T</TestName>") + c.details + "</vtDorvel>")
                      .status,
                  0);
        const CliRun run = runCli({"show", set});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(c.shown), std::string::npos) << run.out;
    }
}

// The folder export and the single file of the same set: what is written,
// and what the command says about it.
TEST(Cli, ExportWritesAFolderOrOneFileAndSaysHowLargeTheFileIs)
{
    test::TempFolder dir;
    const std::string sample = std::string(DORVEL_BUILD_INSTALL_DIR) + "/Samples/General Knowledge.vtd";
    ForceDirectory(dir.path("folder"));
    ForceDirectory(dir.path("single"));
    const CliRun folder = runCli({"export", sample, dir.path("folder/Quiz.htm"), "--layout", "classic"});
    ASSERT_EQ(folder.status, 0) << folder.err;
    EXPECT_EQ(folder.out, dir.path("folder/Quiz.htm") + "\n");
    EXPECT_TRUE(FileExists(dir.path("folder/Quizres/pages.js")));

    const CliRun single = runCli({"export", "--single-file", sample, dir.path("single/Quiz.htm"), "--layout", "classic"});
    ASSERT_EQ(single.status, 0) << single.err;
    const std::int64_t size = FileSize(dir.path("single/Quiz.htm"));
    EXPECT_EQ(single.out, dir.path("single/Quiz.htm") + " (" + std::to_string((size + 999) / 1000) + " KB)\n");
    EXPECT_EQ(ListFiles(dir.path("single")), std::vector<std::string>{"Quiz.htm"});
    EXPECT_TRUE(ListFolders(dir.path("single")).empty());
    std::string text;
    ASSERT_TRUE(ReadFileBytes(dir.path("single/Quiz.htm"), text));
    // Every picture inside, none named by a path of its own.
    EXPECT_NE(text.find("pageMedia['buttons/owl.gif'] = 'data:image/gif;base64,"), std::string::npos);
    EXPECT_EQ(text.find("Quizres/"), std::string::npos);
    EXPECT_TRUE(single.err.empty()) << single.err;
}

// The flowing pages, the default: the page, its scripts and the test's data
// in UTF-8 beside it, the answers not readable in the data; as one file,
// everything inside and no script ended early by a text of the set.
TEST(Cli, ExportWritesTheFlowingPagesByDefault)
{
    test::TempFolder dir;
    const std::string sample = std::string(DORVEL_BUILD_INSTALL_DIR) + "/Samples/General Knowledge.vtd";
    std::string text = runCli({"unpack", sample}).out;
    // A title the page must keep as text: a closing script tag and a letter beyond Latin-1.
    const std::string name = "<TestName>General Knowledge</TestName>";
    ASSERT_NE(text.find(name), std::string::npos);
    text.replace(text.find(name), name.size(), "<TestName>Caf&#233; &lt;/script&gt; &#8364;</TestName>");
    const std::string set = dir.path("gk.vtd");
    ASSERT_EQ(runCli({"pack", set}, text).status, 0);
    ForceDirectory(dir.path("folder"));
    const CliRun folder = runCli({"--lang", "Deutsch", "export", set, dir.path("folder/Quiz.htm")});
    ASSERT_EQ(folder.status, 0) << folder.err;
    EXPECT_EQ(folder.out, dir.path("folder/Quiz.htm") + "\n");
    std::string page, data;
    ASSERT_TRUE(ReadFileBytes(dir.path("folder/Quiz.htm"), page));
    ASSERT_TRUE(ReadFileBytes(dir.path("folder/Quizres/test.js"), data));
    for (const char* file : {"engine.js", "marking.js", "flow.css", "theme.css"})
        EXPECT_TRUE(FileExists(dir.path("folder/Quizres/") + file)) << file;
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("<html lang=\"de\" dir=\"ltr\""), std::string::npos) << page.substr(0, 200);
    EXPECT_NE(page.find("<title>Caf\xC3\xA9 &lt;/script&gt; \xE2\x82\xAC</title>"), std::string::npos);
    EXPECT_NE(data.find("\"Zur\xC3\xBC"
                        "ck zum Test\""),
              std::string::npos)
        << "the pack's texts in UTF-8";
    EXPECT_NE(data.find("Which planet is known as the Red Planet?"), std::string::npos);
    EXPECT_EQ(data.find("Paris"), std::string::npos) << "the accepted answers are encoded";
    EXPECT_EQ(data.find("</"), std::string::npos);

    ForceDirectory(dir.path("single"));
    const CliRun single = runCli({"export", set, dir.path("single/Quiz.htm"), "--single-file"});
    ASSERT_EQ(single.status, 0) << single.err;
    EXPECT_EQ(ListFiles(dir.path("single")), std::vector<std::string>{"Quiz.htm"});
    std::string one;
    ASSERT_TRUE(ReadFileBytes(dir.path("single/Quiz.htm"), one));
    EXPECT_EQ(one.find("Quizres/"), std::string::npos);
    EXPECT_NE(one.find("window.DorvelTest"), std::string::npos);
    // Every script ends where it should: as many closing tags as opening ones.
    std::size_t opened = 0, closed = 0;
    for (std::size_t at = one.find("<script>"); at != std::string::npos; at = one.find("<script>", at + 1))
        ++opened;
    for (std::size_t at = one.find("</script>"); at != std::string::npos; at = one.find("</script>", at + 1))
        ++closed;
    EXPECT_EQ(opened, 3u);  // marking, the test's data, the engine
    EXPECT_EQ(closed, opened);
}

// The classic pages show today's kinds only: a set holding another kind is
// written with the flowing pages, and the command names its questions.
TEST(Cli, TheClassicLayoutSaysWhichQuestionsItCannotShow)
{
    test::TempFolder dir;
    const std::string sample = std::string(DORVEL_BUILD_INSTALL_DIR) + "/Samples/General Knowledge.vtd";
    std::string text = runCli({"unpack", sample}).out;
    ASSERT_NE(text.find("</question3>"), std::string::npos);
    text.insert(text.find("</question3>"), "<c5>Whale</c5>");
    const std::string set = dir.path("more.vtd");
    ASSERT_EQ(runCli({"pack", set}, text).status, 0);
    const CliRun run = runCli({"export", set, dir.path("Quiz.htm"), "--layout", "classic"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("flowing pages: questions 3\n"), std::string::npos) << run.err;
    EXPECT_TRUE(FileExists(dir.path("Quizres/test.js")));
    EXPECT_FALSE(FileExists(dir.path("Quizres/pages.js")));
}

TEST(Cli, ErrorsExitOneAndWrongUsageExitsTwo)
{
    test::TempFolder dir;
    const std::string plain = dir.write("plain.vtd", "<vtDorvel>not scrambled</vtDorvel>");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{}, 2, "usage"},
        {{"frobnicate"}, 2, "usage"},
        {{"show"}, 2, "usage"},
        {{"show", dir.path("missing.vtd")}, 1, "no such file"},
        {{"show", plain}, 1, "not a Dorvel set file"},
        {{"unpack", dir.path("missing.vtd")}, 1, "cannot read"},
        {{"pack", dir.path("no/such/folder/x.vtd")}, 1, "cannot write"},
        // A pack that is not installed is refused before anything runs, and
        // the installed ones are named.
        {{"--lang", "Klingon", "show", plain}, 2, "no language pack \"Klingon\" is installed; installed:"},
        {{"--lang", "Klingon", "export", plain, dir.path("t.htm")}, 2, "\"English (UK)\""},
        {{"--lang", "Deutsch", "show", plain}, 1, "not a Dorvel set file"},
        {{"export", plain, dir.path("x.zip"), "--scorm", "3"}, 1, "not a SCORM version"},
        {{"export", plain, dir.path("x.zip"), "--scorm", "1.2", "--pass-mark", "120"}, 1, "not a pass mark"},
        {{"export", plain, dir.path("x.htm"), "--pass-mark", "50"}, 2, "usage"},
        {{"export", plain, dir.path("x.zip"), "--scorm"}, 2, "usage"},
        {{"export", plain, "--single-file"}, 2, "usage"},
        {{"export", plain, dir.path("a.htm"), dir.path("b.htm")}, 2, "usage"},
        {{"export", plain, dir.path("x.zip"), "--scorm", "1.2", "--single-file"}, 2, "usage"},
        {{"export", plain, dir.path("x.htm"), "--layout", "wide"}, 1, "not a layout (flow or classic): wide"},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(FileExists(dir.path("t.htm")));
}

TEST(Cli, ExportScormWritesAPackageWithTheGivenPassMark)
{
    test::TempFolder dir;
    const std::string sample = std::string(DORVEL_BUILD_INSTALL_DIR) + "/Samples/General Knowledge.vtd";
    // The flowing pages by default, the classic frameset on request.
    const struct {
        std::vector<std::string> layout;
        const char* launch;
        const char* script;
    } cases[] = {
        {{}, "href=\"index.htm\"", "indexres/scorm.js"},
        {{"--layout", "classic"}, "href=\"frame.htm\"", "scorm.js"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        std::vector<std::string> args{"export", sample, dir.path("gk.zip"), "--scorm", "1.2", "--pass-mark", "75"};
        args.insert(args.end(), c.layout.begin(), c.layout.end());
        const CliRun run = runCli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, dir.path("gk.zip") + "\n");
        const ZipReader zip(dir.path("gk.zip"));
        ASSERT_TRUE(zip.isOpen());
        const auto manifest = zip.read("imsmanifest.xml");
        ASSERT_TRUE(manifest);
        EXPECT_NE(manifest->find("<adlcp:masteryscore>75</adlcp:masteryscore>"), std::string::npos) << *manifest;
        EXPECT_NE(manifest->find(c.launch), std::string::npos) << *manifest;
        const auto script = zip.read(c.script);
        ASSERT_TRUE(script);
        EXPECT_NE(script->find("parseFloat('75')"), std::string::npos);
    }
    EXPECT_NE(runCli({"show", sample}).out.find("Pass mark: none\n"), std::string::npos) << "the set is not changed";
}

}  // namespace
}  // namespace dorvel
