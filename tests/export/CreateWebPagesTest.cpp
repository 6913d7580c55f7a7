// Create Web Pages as the author runs it: the save dialog, the saved set, the
// pages beside the chosen start page, and the question whether to open it.
#include "editor/Workspace.h"
#include "export/CreateWebPages.h"
#include "shell/LangStrings.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/building/FixtureInstallation.h"
#include "tests/support/LoopbackClient.h"
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
                       "0045 Open it now?\n0048 Media\n0066 Test:\n0067 Start\n0120 Not written:\n");
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

TEST(CreateWebPages, WritesTheTestBesideTheChosenPageAndOffersToOpenItServed)
{
    Scene s;
    s.ui.saveChoices.push_back(s.dir.path("elsewhere/My Quiz.html"));
    s.ui.answers.push_back(Answer::Yes);
    ForceDirectory(s.dir.path("elsewhere"));
    CreateWebPagesCall(s.workspace, s.ui, s.lang, "English (UK)");

    ASSERT_EQ(s.ui.dialogs.size(), 1U);
    EXPECT_EQ(s.ui.dialogs[0].title, "Save Web Test  As...");
    EXPECT_EQ(s.ui.dialogs[0].filter, "Web Pages|*htm");
    EXPECT_EQ(s.ui.dialogs[0].defaultExtension, "htm");
    EXPECT_EQ(s.ui.dialogs[0].proposedName, "Unit1");
    EXPECT_EQ(WithSeparator(s.ui.dialogs[0].folder), WithSeparator(s.dir.path("web")));
    EXPECT_EQ(WithSeparator(s.workspace.lastDir()), WithSeparator(s.dir.path("elsewhere")));
    EXPECT_TRUE(FileExists(s.dir.path("sets/Unit 1.vtd")));

    const std::string folder = s.dir.path("elsewhere/MyQuizres/");
    for (const char* file : {"frame.htm", "blank.htm", "p0.htm", "q0.htm", "q1.htm", "q2.htm", "control.htm", "p.js",
             "buttons/tick.gif", "bg.bmp"})
        EXPECT_TRUE(FileExists(folder + file)) << file;
    EXPECT_FALSE(FileExists(folder + "q3.htm"));
    std::string start;
    ASSERT_TRUE(ReadFileBytes(s.dir.path("elsewhere/My Quiz.htm"), start));
    EXPECT_NE(start.find("<title>Test: Unit 1</title>"), std::string::npos);

    EXPECT_EQ(s.ui.announced.back(), "s45");
    EXPECT_EQ(s.ui.questions, std::vector<std::string>{"Open it now?"});
    ASSERT_EQ(s.ui.opened.size(), 1U);
    EXPECT_EQ(s.ui.opened[0].rfind("http://127.0.0.1:", 0), 0U) << s.ui.opened[0];
    EXPECT_NE(s.ui.opened[0].find("/My%20Quiz.htm"), std::string::npos) << s.ui.opened[0];
}

// Each export is opened under an address of its own; the tab of an earlier
// export of the same page gets nothing once the next one starts.
TEST(CreateWebPages, AnEarlierExportsTabGetsNothingOfTheNext)
{
    Scene s;
    for (int i = 0; i < 2; ++i)
        s.ui.saveChoices.push_back(s.dir.path("web/Quiz.htm"));
    // Opened; then the second export replaces the first's pages, and is opened.
    for (int i = 0; i < 3; ++i)
        s.ui.answers.push_back(Answer::Yes);
    CreateWebPagesCall(s.workspace, s.ui, s.lang, "English (UK)");
    ASSERT_EQ(s.ui.opened.size(), 1U);
    const test::ServedAddress first = test::SplitAddress(s.ui.opened[0]);
    EXPECT_EQ(test::Request(first.port, first.folder + "Quizres/q0.htm").status, 200);

    CreateWebPagesCall(s.workspace, s.ui, s.lang, "English (UK)");
    ASSERT_EQ(s.ui.opened.size(), 2U);
    const test::ServedAddress second = test::SplitAddress(s.ui.opened[1]);
    EXPECT_NE(first.folder, second.folder);
    for (const char* file : {"Quiz.htm", "Quizres/q0.htm", "Quizres/frame.htm"}) {
        EXPECT_EQ(test::Request(first.port, first.folder + file).status, 404) << file;
        EXPECT_EQ(test::Request(second.port, second.folder + file).status, 200) << file;
    }
    // Nothing beside the test, under either address.
    EXPECT_EQ(test::Request(second.port, second.folder + "../sets/Unit%201.vtd").status, 404);
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
    declined.ui.saveChoices.push_back(declined.dir.path("web/Quiz"));
    declined.ui.answers.push_back(Answer::No);
    CreateWebPagesCall(declined.workspace, declined.ui, declined.lang, "English (UK)");
    EXPECT_TRUE(FileExists(declined.dir.path("web/Quiz.htm")));
    EXPECT_TRUE(FileExists(declined.dir.path("web/Quizres/q2.htm")));
    EXPECT_TRUE(declined.ui.opened.empty());
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
