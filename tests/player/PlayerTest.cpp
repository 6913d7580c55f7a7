#include "export/CreateWebPages.h"
#include "export/ExportedFiles.h"
#include "export/StartPages.h"
#include "player/PlayedTest.h"
#include "player/PlayerOptions.h"
#include "player/PlayerStartFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/player/PlayerScene.h"
#include "tests/support/PagesScript.h"

#include <gtest/gtest.h>

namespace dorvel {
namespace {

using test::BankBytes;
using test::Bytes;
using test::FilesUnder;
using test::PageText;
using test::PlayerScene;
using test::TempFolder;

TEST(PlayerStartFile, GivesTheBankTheEditorNamed)
{
    struct Case {
        const char* name;
        std::string content;  // "<none>": no file at all
        std::string bank;
    };
    const Case cases[] = {
        {"as the editor writes it", "<f>/tmp/vtDorvel/singleq.vtb</f>", "/tmp/vtDorvel/singleq.vtb"},
        {"blanks in the path stay", "<f>/home/a b/My Tests/Unit 1.vtb</f>", "/home/a b/My Tests/Unit 1.vtb"},
        {"path on a line of its own", "<f>\n/b/c.vtb\r\n</f>\n", "/b/c.vtb"},
        {"no element", "/b/c.vtb", ""},
        {"empty element", "<f></f>", ""},
        {"no file", "<none>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        const std::string path = dir.path("VTX.txt");
        if (c.content != "<none>")
            dir.write("VTX.txt", c.content);
        EXPECT_EQ(ReadPlayerStartFile(path), c.bank);
    }
}

TEST(PlayerOptions, DesktopEditorAndScriptStarts)
{
    struct Case {
        std::vector<std::string> args;
        std::string bank;
        bool open;
        bool window;
        int port;
        bool error;
    };
    const Case cases[] = {
        {{}, "", true, true, 0, false},
        {{"/a/b.vtb"}, "/a/b.vtb", true, true, 0, false},
        {{"--no-open", "--port", "8123", "b.vtb"}, "b.vtb", false, true, 8123, false},
        {{"b.vtb", "--no-window"}, "b.vtb", true, false, 0, false},
        {{"--", "--no-open"}, "--no-open", true, true, 0, false},
        {{"--port"}, "", true, true, 0, true},
        {{"--port", "65536"}, "", true, true, 0, true},
        {{"--port", "12x"}, "", true, true, 0, true},
        {{"--frobnicate"}, "", true, true, 0, true},
        {{"a.vtb", "b.vtb"}, "a.vtb", true, true, 0, true},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& a : c.args)
            joined += a + " ";
        SCOPED_TRACE(joined);
        const ParsedPlayerOptions parsed = ParsePlayerOptions(c.args);
        EXPECT_EQ(!parsed.error.empty(), c.error);
        if (c.error)
            continue;
        EXPECT_EQ(parsed.options.bankPath, c.bank);
        EXPECT_EQ(parsed.options.openBrowser, c.open);
        EXPECT_EQ(parsed.options.window, c.window);
        EXPECT_EQ(parsed.options.port, c.port);
    }
    EXPECT_FALSE(ParsePlayerOptions({"b.vtb"}).options.fromFiles);
    EXPECT_TRUE(ParsePlayerOptions({"--files", "b.vtb"}).options.fromFiles);
}

// The player's test is the web export's test: the same pages and the same
// media bytes under the same names.
TEST(PlayedTest, BuiltBankPlaysAsTheWebExportOfTheSameSet)
{
    PlayerScene s;
    const std::string bank = s.dir.path("Unit1.vtb");
    s.build(bank);

    const std::string exported = s.dir.path("exported");
    ForceDirectory(exported);
    test::ScriptedUserInterface quiet;
    const WebExport request{JoinPath(exported, kPlayedStartPage), "Unit 1", s.set().testDetails, "", 42, {}};
    ExportWebTest(request, s.lists, s.lang, quiet);

    const std::string played = s.dir.path("played");
    ForceDirectory(played);
    const PlayedTest test = WritePlayedTest(bank, played, s.lang, "", 42);
    ASSERT_TRUE(test.ok()) << test.error;
    EXPECT_TRUE(test.notes.empty()) << test.notes.front();
    EXPECT_EQ(test.testName, "Unit 1");
    EXPECT_FALSE(test.preview);
    EXPECT_EQ(test.questions, 3);
    EXPECT_EQ(test.questionPages, 3);
    EXPECT_EQ(test.startPage, JoinPath(played, "Test.htm"));

    const std::vector<std::string> files = FilesUnder(played);
    ASSERT_EQ(files, FilesUnder(exported));
    for (const char* expected : {"Test.htm", "Testres/frame.htm", "Testres/pages.js", "Testres/bg.bmp", "Testres/tick.gif",
                                 "Testres/cross.gif"}) {
        EXPECT_NE(std::find(files.begin(), files.end(), expected), files.end()) << expected;
    }
    for (const std::string& f : files) {
        SCOPED_TRACE(f);
        // The export's list of what it wrote: the player adds the bank's
        // media after the pages, where the export copied them before.
        if (f == std::string("Testres/") + kExportedListName)
            continue;
        EXPECT_EQ(Bytes(JoinPath(played, f)), Bytes(JoinPath(exported, f)));
    }
    // The media came out of the bank, byte for byte.
    EXPECT_EQ(Bytes(JoinPath(played, "Testres/bg.bmp")), Bytes(s.install.styleFolder() + "bg.bmp"));
    EXPECT_NE(PageText(JoinPath(played, "Testres"), "q0.htm").find("\"bg.bmp\""), std::string::npos);
}

TEST(PlayedTest, PreviewBankShowsItsQuestionWithMarkAndCheat)
{
    PlayerScene s;
    const std::string bank = s.preview(2);
    const std::string played = s.dir.path("played");
    ForceDirectory(played);
    const PlayedTest test = WritePlayedTest(bank, played, s.lang, "", 7);
    ASSERT_TRUE(test.ok()) << test.error;
    EXPECT_TRUE(test.preview);
    EXPECT_EQ(test.questions, 1);
    EXPECT_EQ(test.questionPages, 1);

    const std::string folder = TestFolder(test.startPage);
    // No pre-test page: the control page opens the question at once.
    EXPECT_EQ(PageText(folder, "p0.htm"), "");
    EXPECT_NE(PageText(folder, "q0.htm").find("Question 2"), std::string::npos);
    const std::string control = PageText(folder, "control.htm");
    EXPECT_NE(control.find("['Finish','Mark','Cheat']"), std::string::npos);
    EXPECT_NE(control.find("<img src=\"buttons/Mark0.gif\""), std::string::npos);
    EXPECT_NE(control.find("<img src=\"buttons/Cheat0.gif\""), std::string::npos);
    EXPECT_EQ(Bytes(folder + "bg.bmp"), Bytes(s.install.styleFolder() + "bg.bmp"));
}

// A built bank holds up to a hundred questions, and so does the web test; a
// bank made by hand may hold more.
TEST(PlayedTest, QuestionsBeyondWhatAWebTestHoldsAreNamed)
{
    std::string list;
    for (int n = 0; n < 101; ++n) {
        const std::string tag = "questionFile" + std::to_string(n);
        list += "<" + tag + "><windowSize>0</windowSize><vtText><vtString>Question " + std::to_string(n + 1)
            + "</vtString><TextLayer>0</TextLayer></vtText></" + tag + ">\r\n";
    }
    TempFolder dir;
    const std::string bank = dir.write("many.vtb",
                                       BankBytes("<fileHeader></fileHeader><testList><TestName>0</TestName></testList><questionFileList>" + list
                                                     + "</questionFileList><preTestFileList></preTestFileList>",
                                                 ""));
    ForceDirectory(dir.path("played"));
    const PlayedTest test = WritePlayedTest(bank, dir.path("played"), LangStrings(), "", 3);
    ASSERT_TRUE(test.ok()) << test.error;
    EXPECT_EQ(test.testName, "many.vtb");  // no test name of its own
    EXPECT_EQ(test.questions, 101);
    EXPECT_EQ(test.questionPages, 100);
    EXPECT_EQ(test.notes, std::vector<std::string>{"the bank holds 101 questions; the test shows the first 100"});
    EXPECT_NE(PageText(dir.path("played/Testres"), "q99.htm").find("Question 100"), std::string::npos);
    EXPECT_EQ(PageText(dir.path("played/Testres"), "q100.htm"), "");
}

// Banks made by hand to do harm. Whatever they say, nothing is written
// outside the player's folder, and a bank whose structure is damaged is
// refused as a whole with a message.
TEST(PlayedTest, HostileBanksAreRefusedAndWriteNothingOutside)
{
    const std::string questions = "<questionFileList><questionFile0><windowSize>0</windowSize>"
                                  "<vtText><vtString>Hello</vtString><TextLayer>0</TextLayer></vtText>"
                                  "</questionFile0>\r\n</questionFileList><preTestFileList></preTestFileList>";
    auto header = [&](const std::string& records) {
        return "<fileHeader>" + records + "</fileHeader><testList><TestName>Evil</TestName></testList>" + questions;
    };
    // A folder beside every case's own, which the names aim at.
    TempFolder dir;
    const std::string outside = dir.path("outside");
    ForceDirectory(outside);
    struct Case {
        const char* name;
        std::string bytes;
        std::string refusal;             // part of the error; "" when the bank plays
        std::vector<std::string> notes;  // parts of the notes, in order
        std::vector<std::string> media;  // what lands in the test folder besides the pages
    };
    const Case cases[] = {
        {"offsets past the end", BankBytes(header("</a/x.gif>0,500<//a/x.gif>"), "GIF89a"), "outside the file", {}, {}},
        {"header longer than the file", BankBytes(header("</a/x.gif>0,6<//a/x.gif>"), "GIF89a", 100000), "header length", {}, {}},
        {"overlapping records",
         BankBytes(header("</a/x.gif>0,6<//a/x.gif></a/y.gif>3,9<//a/y.gif>"), "GIF89a-abc"),
         "overlap",
         {},
         {}},
        {"not a bank", std::string(2000, 'Z'), "not a question bank", {}, {}},
        {"no questions",
         BankBytes("<fileHeader></a/x.gif>0,6<//a/x.gif></fileHeader><testList></testList>", "GIF89a"),
         "no questions",
         {},
         {}},
        {"names that climb out",
         BankBytes(header("<" + outside + "/../../x.gif>0,2</" + outside + "/../../x.gif>"
                                                                           "<../../../y.gif>2,4</../../../y.gif>"
                                                                           "</a/..>4,6<//a/..>"),
                   "aabbcc"),
         "",
         {"not a plain file name"},
         {"x.gif", "y.gif"}},
        {"names that point elsewhere",
         BankBytes(header("<" + outside + "/planted.gif>0,2</" + outside + "/planted.gif>"
                                                                           "</x/Buttons/a/b/c.gif>2,4<//x/Buttons/a/b/c.gif>"
                                                                           "<C:\\Windows\\evil.gif>4,6</C:\\Windows\\evil.gif>"
                                                                           "</x/pages.js>6,8<//x/pages.js>"
                                                                           "</x/gone.gif>-1,-1<//x/gone.gif>"),
                   "aabbccdd"),
         "",
         {"pages.js", "/x/gone.gif is not in the bank"},
         {"planted.gif", "c.gif", "evil.gif"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder root;
        const std::string bank = root.write("bank.vtb", c.bytes);
        const std::string played = root.path("player");
        ForceDirectory(played);

        const PlayedTest test = WritePlayedTest(bank, played, LangStrings(), "", 1);
        std::vector<std::string> everywhere = FilesUnder(root.path());
        if (!c.refusal.empty()) {
            EXPECT_NE(test.error.find(c.refusal), std::string::npos) << test.error;
            EXPECT_EQ(everywhere, std::vector<std::string>{"bank.vtb"});
            continue;
        }
        ASSERT_TRUE(test.ok()) << test.error;
        ASSERT_EQ(test.notes.size(), c.notes.size());
        for (std::size_t i = 0; i < c.notes.size(); ++i)
            EXPECT_NE(test.notes[i].find(c.notes[i]), std::string::npos) << test.notes[i];
        for (const std::string& f : everywhere)
            EXPECT_TRUE(f == "bank.vtb" || f.rfind("player/", 0) == 0) << f;
        for (const std::string& m : c.media)
            EXPECT_TRUE(FileExists(root.path("player/Testres/" + m))) << m;
        // The pages are the generator's, never the bank's.
        EXPECT_NE(PageText(root.path("player/Testres"), "control.htm").find("<html"), std::string::npos);
    }
    EXPECT_TRUE(FilesUnder(outside).empty());
}

}  // namespace
}  // namespace dorvel
