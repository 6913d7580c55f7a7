// Create Web Pages as the author runs it: the save dialog, the saved set, the
// pages beside the chosen start page, and the question whether to open it.
#include "editor/Workspace.h"
#include "editor/commands/ChooseWebOutput.h"
#include "editor/commands/CreateWebPagesCall.h"
#include "export/CreateWebPages.h"
#include "export/FlowPages.h"
#include "languages/LangStrings.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/building/FixtureInstallation.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace dorvel {
namespace {

struct Scene {
    Scene()
        : workspace(ui, lang)
    {
        lang.applyPack("0039 Creating\n0040 Expanding\n0041 Buttons\n0042 Start page\n0043 Questions\n0044 Ready\n"
                       "0045 Open it now?\n0048 Media\n0066 Test:\n0067 Start\n0220 Together:\n0221 Alone:\n"
                       "0222 Too large for mail\n0223 One file\n0120 Not written:\n0323 Make what?\n0324 Folder\n"
                       "0560 (one file)\n0623 Classic cannot show:\n0624 Classic\n");
        workspace.NewSet();
        OpenSet& s = *workspace.current();
        s.testDetails = SetTag(s.testDetails, "GraphicStyle", "Plain");
        s.testDetails = SetTag(s.testDetails, "TestName", "Unit 1");
        for (int n = 1; n <= 3; ++n)
            s.questionSlots[static_cast<std::size_t>(n)] = test::QuestionRecord(2, "Question " + std::to_string(n));
        s.filePath = dir.path("sets/Unit 1.vtd");
        ForceDirectory(dir.path("sets"));
        ForceDirectory(dir.path("web"));
        workspace.setLastDir(dir.path("web"));
    }

    test::TempFolder dir;
    test::FixtureInstallation install;
    test::ScriptedUserInterface ui;
    LangStrings lang;
    Workspace workspace;
};

TEST(CreateWebPages, WritesTheTestBesideTheChosenPageAndOpensItFromItsFile)
{
    Scene s;
    s.ui.answers = {Answer::Yes};  // open it
    s.ui.saveChoices.push_back(s.dir.path("elsewhere/My Quiz.html"));
    ForceDirectory(s.dir.path("elsewhere"));
    CreateWebPagesCall(s.workspace, s.ui, s.lang, "English (UK)", false, WebLayout::Classic);

    ASSERT_EQ(s.ui.dialogs.size(), 1U);
    EXPECT_EQ(s.ui.dialogs[0].title, "Save Web Test  As...");
    EXPECT_EQ(s.ui.dialogs[0].filter, "Web Pages|*htm");
    EXPECT_EQ(s.ui.dialogs[0].defaultExtension, "htm");
    EXPECT_EQ(s.ui.dialogs[0].proposedName, "Unit1");
    EXPECT_EQ(WithSeparator(s.ui.dialogs[0].folder), WithSeparator(s.dir.path("web")));
    EXPECT_EQ(WithSeparator(s.workspace.lastDir()), WithSeparator(s.dir.path("elsewhere")));
    EXPECT_TRUE(FileExists(s.dir.path("sets/Unit 1.vtd")));

    const std::string folder = s.dir.path("elsewhere/MyQuizres/");
    for (const char* file : {"frame.htm", "pages.js", "buttons/tick.gif", "bg.bmp"})
        EXPECT_TRUE(FileExists(folder + file)) << file;
    std::string start;
    ASSERT_TRUE(ReadFileBytes(s.dir.path("elsewhere/My Quiz.htm"), start));
    EXPECT_NE(start.find("<title>Test: Unit 1</title>"), std::string::npos);

    EXPECT_EQ(s.ui.announced.back(), "s45");
    EXPECT_EQ(s.ui.questions, std::vector<std::string>{"Together: My Quiz.htm, MyQuizres\r\nOpen it now?"});
    // No server: the start page opens from its file.
    EXPECT_EQ(s.ui.opened, std::vector<std::string>{s.dir.path("elsewhere/My Quiz.htm")});
}

TEST(CreateWebPages, WritesOneFileThatTravelsAloneWithItsSize)
{
    Scene s;
    s.ui.oneChoices.push_back(1);  // the second entry: one file
    s.ui.answers = {Answer::Yes};  // open it
    s.ui.saveChoices.push_back(s.dir.path("web/Quiz.htm"));
    CreateWebOutputCall(s.workspace, s.ui, s.lang, "English (UK)");
    ASSERT_EQ(s.ui.offered.size(), 1U);
    EXPECT_EQ(s.ui.offered[0][1], "One file");
    // A name of its own: taking the folder export's start page name would
    // put the file where that page stands, beside a folder it does not use.
    ASSERT_EQ(s.ui.dialogs.size(), 1U);
    EXPECT_EQ(s.ui.dialogs[0].proposedName, "Unit1 (one file)");

    EXPECT_EQ(ListFiles(s.dir.path("web")), std::vector<std::string>{"Quiz.htm"});
    EXPECT_TRUE(ListFolders(s.dir.path("web")).empty()) << "no folder beside the file";
    const std::int64_t size = FileSize(s.dir.path("web/Quiz.htm"));
    EXPECT_EQ(s.ui.questions, std::vector<std::string>{"Alone: Quiz.htm (" + SizeText(size) + ")\r\nOpen it now?"});
    EXPECT_EQ(s.ui.opened, std::vector<std::string>{s.dir.path("web/Quiz.htm")});
}

// The flowing pages are what Create Web Pages writes; the classic ones are
// the list's last entry, and a set holding a question they cannot show gets
// the flowing pages with a word saying which.
TEST(CreateWebPages, WritesTheFlowingPagesAndTheClassicOnesOnRequest)
{
    Scene s;
    s.ui.answers = {Answer::No, Answer::No};  // do not open them
    s.ui.saveChoices.push_back(s.dir.path("web/Quiz.htm"));
    CreateWebPagesCall(s.workspace, s.ui, s.lang, "English (UK)");
    for (const char* file : {"test.js", "engine.js", "marking.js", "flow.css", "theme.css"})
        EXPECT_TRUE(FileExists(s.dir.path("web/Quizres/") + file)) << file;
    EXPECT_FALSE(FileExists(s.dir.path("web/Quizres/pages.js")));
    EXPECT_EQ(s.ui.questions, std::vector<std::string>{"Together: Quiz.htm, Quizres\r\nOpen it now?"});

    Scene classic;
    classic.ui.oneChoices.push_back(4);  // the last entry: the classic pages
    classic.ui.answers = {Answer::No};
    classic.ui.saveChoices.push_back(classic.dir.path("web/Quiz.htm"));
    CreateWebOutputCall(classic.workspace, classic.ui, classic.lang, "English (UK)");
    ASSERT_EQ(classic.ui.offered.size(), 1U);
    EXPECT_EQ(classic.ui.offered[0].back(), "Classic");
    EXPECT_TRUE(FileExists(classic.dir.path("web/Quizres/pages.js")));
    EXPECT_TRUE(classic.ui.messages.empty());

    Scene more;
    std::string& third = more.workspace.current()->questionSlots[3];
    third += "<c5>Fifth choice</c5>";
    more.ui.oneChoices.push_back(4);
    more.ui.answers = {Answer::No};
    more.ui.saveChoices.push_back(more.dir.path("web/Quiz.htm"));
    CreateWebOutputCall(more.workspace, more.ui, more.lang, "English (UK)");
    EXPECT_EQ(more.ui.messages, std::vector<std::string>{"Classic cannot show: 3"});
    EXPECT_TRUE(FileExists(more.dir.path("web/Quizres/test.js")));
    EXPECT_FALSE(FileExists(more.dir.path("web/Quizres/pages.js")));
}

TEST(CreateWebPages, CancelledDialogOrNoOpeningLeaveItThere)
{
    Scene cancelled;
    cancelled.ui.saveChoices.push_back(std::nullopt);
    CreateWebPagesCall(cancelled.workspace, cancelled.ui, cancelled.lang, "English (UK)");
    EXPECT_TRUE(ListFiles(cancelled.dir.path("web")).empty());
    EXPECT_TRUE(cancelled.ui.opened.empty());
    EXPECT_FALSE(FileExists(cancelled.dir.path("sets/Unit 1.vtd")));

    Scene declined;
    declined.ui.answers = {Answer::No};
    declined.ui.saveChoices.push_back(declined.dir.path("web/Quiz"));
    CreateWebPagesCall(declined.workspace, declined.ui, declined.lang, "English (UK)", false, WebLayout::Classic);
    EXPECT_TRUE(FileExists(declined.dir.path("web/Quiz.htm")));
    EXPECT_TRUE(FileExists(declined.dir.path("web/Quizres/pages.js")));
    EXPECT_TRUE(declined.ui.opened.empty());
}

// Past the size mail servers take, the single file is still written, with a warning.
TEST(CreateWebPages, MessageWarnsWhenTheSingleFileIsTooLargeForMail)
{
    Scene s;
    SingleFileTest single;
    single.written = true;
    single.bytes = kMailSizeLimit;
    EXPECT_EQ(ExportedMessage(s.lang, "/a/Quiz.htm", &single), "Alone: Quiz.htm (25.0 MB)\r\nOpen it now?");
    single.bytes = kMailSizeLimit + 1;
    EXPECT_EQ(ExportedMessage(s.lang, "/a/Quiz.htm", &single), "Alone: Quiz.htm (25.0 MB)\r\nToo large for mail\r\nOpen it now?");
}

// The author learns what could not be written, and is not offered a test
// that is not there.
TEST(CreateWebPages, AFailedExportIsShownAndNothingIsOffered)
{
    Scene s;
    ForceDirectory(s.dir.path("elsewhere"));
    ASSERT_TRUE(QFile::link(toQString(s.dir.path("elsewhere")), toQString(s.dir.path("web/Quizres"))));
    s.ui.saveChoices.push_back(s.dir.path("web/Quiz.htm"));
    CreateWebPagesCall(s.workspace, s.ui, s.lang, "English (UK)");
    ASSERT_EQ(s.ui.messages.size(), 1U);
    EXPECT_EQ(s.ui.messages[0], "Not written: " + s.dir.path("web/Quizres") + " is a symbolic link, not a folder: the web test is not written there");
    EXPECT_EQ(s.ui.announced.back(), "s120");
    EXPECT_TRUE(s.ui.questions.empty());
    EXPECT_TRUE(s.ui.opened.empty());
    EXPECT_FALSE(FileExists(s.dir.path("web/Quiz.htm")));
}

}  // namespace
}  // namespace dorvel
