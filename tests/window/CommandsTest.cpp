#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/window/WindowFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace dorvel::test {
namespace {

// A set made through the window's controls, then previewed, built and
// exported from its buttons.
class CommandsTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        startWindow();
        control<QLineEdit>("TestName")->setText(QStringLiteral("Capitals"));
        auto* styles = control<QComboBox>("GraphicStyle");
        styles->setCurrentIndex(styles->count() - 1);
        workspace().questionList().requestSelection(0, 1);
        control<QPlainTextEdit>("Title")->setPlainText(QStringLiteral("Capital of France?"));
        const char* choices[] = {"Lyon", "Paris", "Nice", "Lille"};
        for (int k = 0; k < 4; ++k)
            control<QPlainTextEdit>(("Text" + std::to_string(k + 1)).c_str())
                ->setPlainText(QString::fromLatin1(choices[k]));
        control<QWidget>("Select1")->setFocus();
        QTest::mouseClick(control<QWidget>("Select1"), Qt::LeftButton);
    }
    void TearDown() override
    {
        DeleteFile(player());
        DeleteFile(InstallationFolder() + "VTX.txt");
        WindowTest::TearDown();
    }

    std::string player() { return FixtureInstallation() + "VTX"; }
    void installPlayer() { ASSERT_TRUE(WriteFileBytes(player(), "#!/bin/sh\n")); }
    void click(const char* button) { QTest::mouseClick(control<QWidget>(button), Qt::LeftButton); }
    bool shown(int entry)
    {
        for (const std::string& m : ui.messages)
            if (m.find(window->lang().at(entry)) != std::string::npos)
                return true;
        return false;
    }
};

TEST_F(CommandsTest, WithoutAPlayerPreviewAndBuildSaySo)
{
    click("PreviewQuestionButton");
    EXPECT_TRUE(shown(27));

    ui.saveChoices.push_back(dir.path("capitals.txt"));  // the bank; its extension becomes .vtb
    ui.saveChoices.push_back(dir.path("capitals set"));  // the set, saved first
    click("BuildButton");
    EXPECT_TRUE(FileExists(dir.path("capitals.vtb")));
    EXPECT_TRUE(FileExists(dir.path("capitals set.vtd")));
    EXPECT_FALSE(workspace().current()->hasUnsavedChanges());
    EXPECT_TRUE(shown(35));
    EXPECT_TRUE(ui.opened.empty());
}

TEST_F(CommandsTest, PreviewAndBuildStartThePlayer)
{
    installPlayer();
    click("PreviewQuestionButton");
    ASSERT_EQ(ui.opened.size(), 1u);
    EXPECT_EQ(ui.opened[0], player());
    std::string start;
    ASSERT_TRUE(ReadFileBytes(InstallationFolder() + "VTX.txt", start));
    EXPECT_NE(start.find("singleq.vtb</f>"), std::string::npos);
    // The preview works on the set in memory: nothing was saved.
    EXPECT_TRUE(workspace().current()->filePath.empty());

    ui.saveChoices.push_back(dir.path("bank.vtb"));
    ui.saveChoices.push_back(dir.path("set.vtd"));
    ui.answers.push_back(Answer::Yes);
    click("BuildButton");
    EXPECT_EQ(ui.dialogs[0].title, "Save Question Bank As...");
    ASSERT_TRUE(FileExists(dir.path("bank.vtb")));
    EXPECT_EQ(ui.opened.size(), 2u);
    ASSERT_TRUE(ReadFileBytes(InstallationFolder() + "VTX.txt", start));
    EXPECT_EQ(start, "<f>" + dir.path("bank.vtb") + "</f>");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CommandsTest, CreateWebPagesWritesTheTestAndOffersToOpenIt)
{
    ui.saveChoices.push_back(dir.path("Capitals quiz.htm"));  // the start page
    ui.saveChoices.push_back(dir.path("capitals.vtd"));       // the set, saved first
    ui.answers = {Answer::No};                                // not opened
    click("CreateWebPagesButton");
    EXPECT_EQ(ui.dialogs[0].title, "Save Web Test  As...");
    EXPECT_TRUE(FileExists(dir.path("Capitals quiz.htm")));
    EXPECT_TRUE(FileExists(dir.path("Capitalsquizres/test.js")));
    EXPECT_TRUE(FileExists(dir.path("capitals.vtd")));
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_TRUE(ui.opened.empty());
    EXPECT_TRUE(ui.messages.empty());

    // Again into the same place: the question names the test's folder, and
    // only what the export wrote there is replaced.
    const std::string folder = dir.path("Capitalsquizres/");
    ASSERT_TRUE(WriteFileBytes(folder + "notes.txt", "the author's"));
    ASSERT_TRUE(WriteFileBytes(folder + "q7.htm", "left by an earlier export"));
    DeleteFile(folder + "exported-files.txt");  // as an export made before the list existed
    ui.saveChoices.push_back(dir.path("Capitals quiz.htm"));
    ui.answers.push_back(Answer::No);  // keep the folder as it is
    click("CreateWebPagesButton");
    ASSERT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.questions[1], window->lang().at(182) + "\n" + folder);
    EXPECT_TRUE(FileExists(folder + "q7.htm"));

    ui.saveChoices.push_back(dir.path("Capitals quiz.htm"));
    ui.answers.push_back(Answer::Yes);
    ui.answers.push_back(Answer::No);  // not opened
    click("CreateWebPagesButton");
    EXPECT_EQ(ui.questions.size(), 4u);
    EXPECT_TRUE(FileExists(folder + "test.js"));
    EXPECT_FALSE(FileExists(folder + "q7.htm"));
    std::string notes;
    EXPECT_TRUE(ReadFileBytes(folder + "notes.txt", notes));
    EXPECT_EQ(notes, "the author's");

    // Cancelling the dialog does nothing at all.
    ui.saveChoices.push_back(std::nullopt);
    click("CreateWebPagesButton");
    EXPECT_EQ(ui.questions.size(), 4u);
    EXPECT_EQ(ui.dialogs.size(), 5u);
}

// Yes to opening the test, and no browser would start: the author is told
// so, with the file to open.
TEST_F(CommandsTest, AWebTestThatNoBrowserOpensIsNamedToOpenByHand)
{
    const std::pair<const char*, bool> openings[] = {{"opened", true}, {"no browser", false}};
    for (const auto& [name, opens] : openings) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        ui.openSucceeds = opens;
        ui.saveChoices.push_back(dir.path("Quiz.htm"));
        if (workspace().current()->filePath.empty())
            ui.saveChoices.push_back(dir.path("quiz.vtd"));
        ui.answers = {Answer::Yes};  // open it
        if (!ui.opened.empty())
            ui.answers.push_front(Answer::Yes);  // replace the export before
        click("CreateWebPagesButton");
        ASSERT_FALSE(ui.opened.empty());
        EXPECT_EQ(ui.opened.back(), dir.path("Quiz.htm"));
        if (opens)
            EXPECT_TRUE(ui.messages.empty());
        else
            EXPECT_EQ(ui.messages, std::vector<std::string>{window->lang().at(441) + "\n" + dir.path("Quiz.htm")});
    }
}

}  // namespace
}  // namespace dorvel::test
