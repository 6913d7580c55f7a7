#include "editor/EditorView.h"
#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "model/DefaultRecords.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/editor/WorkspaceFixture.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

namespace dorvel {
namespace {

using test::ScriptedUserInterface;
using test::TempFolder;
using test::WorkspaceTest;

TEST_F(WorkspaceTest, NewSetStartsWithOneDefaultQuestion)
{
    ASSERT_TRUE(workspace.NewSet());
    EXPECT_EQ(workspace.currentSet(), 0);
    EXPECT_EQ(workspace.currentQuestion(), -1);
    EXPECT_EQ(cur().questionCount(), 1);
    EXPECT_EQ(slot(1), DefaultQuestionRecord());
    EXPECT_EQ(cur().testDetails, NewSetDetails());
    // A new set asks for the student's name; the format's own default (which
    // sets saved before hold) does not.
    EXPECT_TRUE(AsksStudentName(cur().testDetails));
    EXPECT_FALSE(AsksStudentName(DefaultTestDetails()));
    EXPECT_FALSE(AsksStudentName("<TestName>0</TestName>"));
    EXPECT_FALSE(cur().hasUnsavedChanges());
    EXPECT_EQ(list().caption(0), "Set");
    EXPECT_EQ(captions(0), std::vector<std::string>{"Q1:  "});
    EXPECT_TRUE(list().isExpanded(0));
}

TEST_F(WorkspaceTest, TwentySetsAtMostAndTheTwentyFirstShowsS19)
{
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(workspace.NewSet());
    EXPECT_FALSE(workspace.NewSet());
    EXPECT_EQ(ui.announced.back(), "s19");
    EXPECT_EQ(ui.messages.back(), "Too many sets");
    EXPECT_EQ(workspace.openSetCount(), 20);
    EXPECT_EQ(list().setCount(), 20);
}

TEST_F(WorkspaceTest, QuestionEditsWriteCleanedValuesAndCountChanges)
{
    ASSERT_TRUE(workspace.NewSet());
    workspace.TestTreeChange(0, 1);
    ASSERT_EQ(workspace.currentQuestion(), 1);
    workspace.questionChange("Title", "ab\r\ncd");
    EXPECT_EQ(GetTag(slot(1), "Title"), "ab&#10;cd");
    EXPECT_EQ(list().caption(0, 1), "Q1: ab cd");

    struct Edit {
        const char* control;
        const char* value;
        const char* field;
        const char* stored;
    };
    const Edit edits[] = {
        {"Text2", "  \"quoted\"  ^and` \u00E9t\u00E9 ", "Text2", "&#34;quoted&#34; &#94;and&#96; &#233;t&#233;"},
        {"Select2", "1", "SelectAnswer", "2"},
        {"tf3", "0", "tf3", "0"},
        {"tType4", "1", "tType4", "1"},
        {"a23", " 42 ", "a23", "42"},
        {"QuestionType", "9", "qType", "9"},
        {"qDisabled", "1", "qDisabled", "1"},
    };
    for (const Edit& e : edits) {
        const int before = cur().changeCount;
        workspace.questionChange(e.control, e.value);
        EXPECT_EQ(GetTag(slot(1), e.field), e.stored) << e.control;
        EXPECT_EQ(cur().changeCount, before + 1) << e.control;
    }
    // Un-choosing a select button is no edit of its own.
    const int before = cur().changeCount;
    workspace.questionChange("Select1", "0");
    EXPECT_EQ(GetTag(slot(1), "SelectAnswer"), "2");
    EXPECT_EQ(cur().changeCount, before);
}

TEST_F(WorkspaceTest, SwitchingTypesKeepsTheAnswersOfHiddenGroups)
{
    ASSERT_TRUE(workspace.NewSet());
    workspace.TestTreeChange(0, 1);
    workspace.questionChange("QuestionType", "9");
    workspace.questionChange("a30", "third");
    workspace.questionChange("QuestionType", "3");
    workspace.questionChange("QuestionType", "9");
    EXPECT_EQ(GetTag(slot(1), "a30"), "third");
    EXPECT_EQ(GetTagInt(slot(1), "qType", 2), 9);
}

TEST_F(WorkspaceTest, EditsAreIgnoredWhileUpdatingOrWithTheDetailsShown)
{
    ASSERT_TRUE(workspace.NewSet());
    workspace.TestTreeChange(0, 1);
    workspace.TestTreeChange(0, 0);  // the set's node: details shown
    EXPECT_EQ(workspace.currentQuestion(), -1);
    const std::string before = slot(1);
    workspace.questionChange("Title", "ignored");
    EXPECT_EQ(slot(1), before);

    workspace.setUpdating(true);
    workspace.TestChange("TestName", "ignored");
    workspace.setUpdating(false);
    EXPECT_EQ(GetTag(cur().testDetails, "TestName"), "0");
    EXPECT_FALSE(cur().hasUnsavedChanges());
}

TEST_F(WorkspaceTest, TestDetailEditsUpdateRecordCaptionAndStyle)
{
    ASSERT_TRUE(workspace.NewSet());
    workspace.TestChange("TestName", "  My   \"Quiz\" ");
    EXPECT_EQ(GetTag(cur().testDetails, "TestName"), "My &#34;Quiz&#34;");
    EXPECT_EQ(list().caption(0), "Set: My \"Quiz\"");
    workspace.TestCheckChange("allowCheating", true);
    EXPECT_EQ(GetTag(cur().testDetails, "allowCheating"), "1");
    workspace.GraphicStyleChange("Seaside");
    EXPECT_EQ(GetTag(cur().testDetails, "GraphicStyle"), "Seaside");
    // An emptied name stays empty, so a first save does not rename the test.
    workspace.TestChange("TestName", "   ");
    EXPECT_EQ(GetTag(cur().testDetails, "TestName"), "");
    EXPECT_EQ(cur().changeCount, 4);
}

TEST_F(WorkspaceTest, HundredQuestionsAtMost)
{
    ASSERT_TRUE(workspace.NewSet());
    for (int i = 2; i <= 100; ++i)
        workspace.NewQuestion();
    EXPECT_EQ(cur().questionCount(), 100);
    EXPECT_EQ(workspace.currentQuestion(), 100);
    EXPECT_EQ(list().caption(0, 100), "Q100:");
    workspace.NewQuestion();
    EXPECT_EQ(ui.announced.back(), "s20");
    EXPECT_EQ(cur().questionCount(), 100);
}

TEST_F(WorkspaceTest, SavingANewSetNamesItAfterItsFile)
{
    ASSERT_TRUE(workspace.NewSet());
    ASSERT_TRUE(workspace.NewSet());
    ASSERT_TRUE(workspace.NewSet());
    ui.saveChoices.push_back(dir.path("Quiz.txt"));
    ASSERT_TRUE(workspace.SaveTest());
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].proposedName, "Dorvel 3");
    EXPECT_EQ(ui.dialogs[0].folder, dir.path());
    EXPECT_EQ(cur().filePath, dir.path("Quiz.vtd"));
    EXPECT_EQ(GetTag(cur().testDetails, "TestName"), "Quiz");
    EXPECT_EQ(list().caption(2), "Test: Quiz");
    EXPECT_EQ(view.recent.back(), dir.path("Quiz.vtd"));
    EXPECT_EQ(view.calls.back(), "name Quiz");

    workspace.TestTreeChange(0, 0);
    ui.saveChoices.push_back(std::nullopt);  // cancelled: nothing written
    EXPECT_FALSE(workspace.SaveTest());
    EXPECT_EQ(ui.dialogs.back().proposedName, "Dorvel 1");
    EXPECT_TRUE(cur().filePath.empty());
}

// The file's two dates are what teachers see of when a set was saved: both
// must name a second of the save itself, not any fixed time.
TEST_F(WorkspaceTest, SavingStampsTheCurrentTimeIntoBothDates)
{
    ASSERT_TRUE(workspace.NewSet());
    const std::time_t before = std::time(nullptr);
    const std::string saved = ReadStoredFile(saveAs("Dated.vtd"));
    const std::time_t after = std::time(nullptr);
    const std::string date = GetTag(saved, "creationdate");
    const std::string display = GetTag(saved, "creationDisplayDate");
    bool matched = false;
    for (std::time_t t = before; t <= after && !matched; ++t) {
        std::tm local{};
#ifdef _WIN32
        localtime_s(&local, &t);
#else
        localtime_r(&t, &local);
#endif
        matched = date == CreationDate(local) && display == CreationDisplayDate(local);
    }
    EXPECT_TRUE(matched) << date << " / " << display << " saved between " << before << " and " << after;
}

TEST_F(WorkspaceTest, HundredFullQuestionsRoundTripByteForByte)
{
    ASSERT_TRUE(workspace.NewSet());
    for (int n = 1; n <= 100; ++n) {
        std::string q = DefaultQuestionRecord();
        q = SetTag(q, "Title", "Question " + std::to_string(n) + " <with> & odd ~ {chars} \xA3");
        for (int f = 1; f <= 4; ++f)
            for (int a = 0; a <= 4; ++a)
                q = SetTag(q, "a" + std::to_string(f) + std::to_string(a), std::string(40, static_cast<char>('a' + a)));
        q = SetTag(q, "qType", std::to_string(n % 11));
        cur().questionSlots[static_cast<std::size_t>(n)] = q;
    }
    const auto original = cur().questionSlots;
    const std::string path = saveAs("Full.vtd");

    // Close it and open it again from disk.
    workspace.CloseCurrentSet();
    ASSERT_EQ(workspace.currentSet(), -1);
    ASSERT_TRUE(workspace.OpenSetFile(path));
    EXPECT_EQ(cur().questionSlots, original);
    EXPECT_EQ(cur().questionCount(), 100);
    EXPECT_EQ(list().caption(0), "Set: Full");
    // Written before stored text was encoded: shown as it was meant.
    EXPECT_EQ(list().caption(0, 100), "Q100: Question 100 <with> & odd ~ {chars} \u00A3");
    EXPECT_FALSE(cur().hasUnsavedChanges());
}

TEST_F(WorkspaceTest, AnOldSetShowsItsTextAndIsWrittenBackAsItWasRead)
{
    // As earlier versions wrote it: Latin-1's pound sign as one byte, an
    // entity typed by hand, angle brackets and a lone ampersand raw.
    OpenSet old;
    old.testDetails = SetTag(DefaultTestDetails(), "TestName", "Caf&eacute; \xA3 5");
    old.questionSlots[0] = DefaultQuestionRecord();
    old.questionSlots[1] = SetTag(DefaultQuestionRecord(), "Title", "Price in \xA3 & <b>caf&eacute;</b>?");
    const std::string path = dir.path("Old.vtd");
    ASSERT_TRUE(WriteStoredFile(path, PrepareSetFileText(old, 0)));
    const std::string before = ReadStoredFile(path);

    ASSERT_TRUE(workspace.OpenSetFile(path));
    EXPECT_EQ(list().caption(0), "Set: Caf\u00E9 \u00A3 5");
    EXPECT_EQ(captions(0), std::vector<std::string>{"Q1: Price in \u00A3 & <b>caf\u00E9</b>?"});
    ASSERT_TRUE(workspace.SaveSet(workspace.currentSet()));

    // Every value but the dates that saving writes is written back byte for
    // byte (blanks between elements carry nothing and may move).
    const std::string after = ReadStoredFile(path);
    const std::string details = GetTag(before, "vtDorvel");
    const std::string saved = GetTag(after, "vtDorvel");
    for (const std::string q : {"question0", "question1"})
        EXPECT_EQ(GetTag(GetTag(saved, "questionFiles"), q), GetTag(GetTag(details, "questionFiles"), q));
    const std::string fields = RemoveTag(details, "questionFiles");
    int compared = 0;
    for (std::size_t p = fields.find('<'); p != std::string::npos; p = fields.find('<', p + 1)) {
        const std::string name = fields.substr(p + 1, fields.find('>', p) - p - 1);
        if (name.empty() || name[0] == '/' || name == "creationdate" || name == "creationDisplayDate")
            continue;
        EXPECT_EQ(GetTag(saved, name), GetTag(details, name)) << name;
        ++compared;
    }
    EXPECT_GT(compared, 25);
}

TEST_F(WorkspaceTest, OpeningTheSameFileTwiceOnlySelectsIt)
{
    ASSERT_TRUE(workspace.NewSet());
    const std::string path = saveAs("Once.vtd");
    ASSERT_TRUE(workspace.NewSet());
    EXPECT_EQ(workspace.currentSet(), 1);
    ASSERT_TRUE(workspace.OpenSetFile(path));
    EXPECT_EQ(workspace.currentSet(), 0);
    EXPECT_EQ(workspace.openSetCount(), 2);
    EXPECT_FALSE(workspace.OpenSetFile(dir.path("missing.vtd")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(WorkspaceTest, FilesThatAreNoSetsAreRefusedWithoutTakingAnEntry)
{
    ASSERT_TRUE(workspace.NewSet());
    const std::string plain = dir.write("plain.vtd", "<vtDorvel><TestName>x</TestName></vtDorvel>");
    const std::string later = dir.path("later.vtd");
    ASSERT_TRUE(WriteStoredFile(later, "<vtDorvel><version>2</version><TestName>x</TestName></vtDorvel>"));
    const std::string noise = dir.write("noise.vtd", std::string(3000, '\x7f'));

    EXPECT_FALSE(workspace.OpenSetFile(plain));
    EXPECT_EQ(ui.announced.back(), "s59");
    EXPECT_EQ(ui.messages.back(), "Not a set: " + plain);
    EXPECT_FALSE(workspace.OpenSetFile(noise));
    EXPECT_FALSE(workspace.OpenSetFile(later));
    EXPECT_EQ(ui.announced.back(), "s21");
    EXPECT_EQ(workspace.openSetCount(), 1);
    EXPECT_EQ(list().setCount(), 1);
    EXPECT_EQ(workspace.currentSet(), 0);
}

TEST_F(WorkspaceTest, AFailedSaveIsReportedAndTheSetStaysUnsaved)
{
    ASSERT_TRUE(workspace.NewSet());
    const std::string path = saveAs("Good.vtd");
    workspace.TestChange("ExaminerName", "Ms Smith");
    ASSERT_TRUE(cur().hasUnsavedChanges());

    // The folder the set lives in disappears: the save cannot replace the file.
    cur().filePath = dir.path("gone/Good.vtd");
    EXPECT_FALSE(workspace.SaveTest());
    EXPECT_EQ(ui.announced.back(), "s58");
    EXPECT_EQ(ui.messages.back().rfind("Not saved: " + dir.path("gone/Good.vtd") + " (", 0), 0u) << ui.messages.back();
    EXPECT_TRUE(cur().hasUnsavedChanges());
    EXPECT_EQ(GetTag(ReadStoredFile(path), "ExaminerName"), "0");  // the earlier file is untouched
}

TEST_F(WorkspaceTest, AskSaveChangesFollowsTheAnswer)
{
    ASSERT_TRUE(workspace.NewSet());
    const std::string path = saveAs("Asked.vtd");
    EXPECT_TRUE(workspace.AskSaveChanges(0));  // nothing changed: no question
    EXPECT_TRUE(ui.questions.empty());

    workspace.TestChange("ExaminerName", "A");
    ui.answers = {Answer::Cancel};
    EXPECT_FALSE(workspace.AskSaveChanges(0));
    EXPECT_EQ(ui.questions.back(), "Save changes to Asked?");
    EXPECT_EQ(ui.announced.back(), "s18");

    ui.answers = {Answer::No};
    EXPECT_TRUE(workspace.AskSaveChanges(0));
    EXPECT_TRUE(cur().hasUnsavedChanges());

    ui.answers = {Answer::Yes};
    EXPECT_TRUE(workspace.AskSaveChanges(0));
    EXPECT_FALSE(cur().hasUnsavedChanges());
    EXPECT_EQ(GetTag(ReadStoredFile(path), "ExaminerName"), "A");

    // A set without a file asks the other question; a cancelled save dialog keeps it.
    ASSERT_TRUE(workspace.NewSet());
    workspace.TestChange("ExaminerName", "B");
    ui.answers = {Answer::Yes};
    ui.saveChoices.push_back(std::nullopt);
    EXPECT_FALSE(workspace.AskSaveChanges(1));
    EXPECT_EQ(ui.questions.back(), "Save the set \"Dorvel 2\"?");
}

TEST_F(WorkspaceTest, ClosingMovesLaterSetsDownWithTheirState)
{
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(workspace.NewSet());
        workspace.TestChange("TestName", "Set " + std::to_string(i));
    }
    const std::string path2 = saveAs("Two.vtd");
    workspace.TestChange("ExaminerName", "changed after save");
    const int changes2 = cur().changeCount;

    workspace.TestTreeChange(1, 0);
    ui.answers = {Answer::No};
    workspace.CloseCurrentSet();
    EXPECT_EQ(workspace.openSetCount(), 2);
    EXPECT_EQ(workspace.currentSet(), 0);
    EXPECT_EQ(GetTag(workspace.set(1).testDetails, "TestName"), "Set 2");
    EXPECT_EQ(workspace.set(1).filePath, path2);
    EXPECT_EQ(workspace.set(1).changeCount, changes2);
    EXPECT_TRUE(workspace.set(1).hasUnsavedChanges());
    EXPECT_TRUE(workspace.set(2).isFree());
    EXPECT_EQ(list().setCount(), 2);
    EXPECT_EQ(list().caption(1), "Set: Set 2");

    // Cancel keeps a changed set open.
    workspace.TestTreeChange(1, 0);
    ui.answers = {Answer::Cancel};
    workspace.CloseCurrentSet();
    EXPECT_EQ(workspace.openSetCount(), 2);
    EXPECT_FALSE(workspace.updating());

    // Closing set 0 leaves the old set 1 current.
    workspace.TestTreeChange(0, 0);
    ui.answers = {Answer::No};
    workspace.CloseCurrentSet();
    EXPECT_EQ(workspace.currentSet(), 0);
    EXPECT_EQ(GetTag(cur().testDetails, "TestName"), "Set 2");
    ui.answers = {Answer::No};
    workspace.CloseCurrentSet();
    EXPECT_EQ(workspace.currentSet(), -1);
    EXPECT_EQ(workspace.current(), nullptr);
}

TEST_F(WorkspaceTest, MovingQuestionsWithinASet)
{
    struct MoveCase {
        int from;
        int onto;  // 0: the set's node
        std::vector<std::string> order;
        int selected;
    };
    const MoveCase cases[] = {
        {1, 3, {"q2", "q3", "q1", "q4"}, 3},
        {4, 1, {"q1", "q4", "q2", "q3"}, 2},
        {3, 0, {"q3", "q1", "q2", "q4"}, 1},
        {2, 4, {"q1", "q3", "q4", "q2"}, 4},
    };
    for (const MoveCase& c : cases) {
        newSetWithTitles({"q1", "q2", "q3", "q4"});
        const int set = workspace.currentSet();
        const int before = cur().changeCount;
        workspace.TestTreeDragNodeEvent(set, c.from, set, c.onto);
        EXPECT_EQ(titles(), c.order) << c.from << "->" << c.onto;
        EXPECT_EQ(workspace.currentQuestion(), c.selected);
        EXPECT_EQ(list().caption(set, 1), "Q1: " + c.order[0]);
        EXPECT_EQ(cur().changeCount, before + 1);
        EXPECT_FALSE(workspace.updating());
        // Later edits go to the moved question.
        workspace.questionChange("Text1", "edited");
        EXPECT_EQ(GetTag(slot(c.selected), "Title"), "q" + std::to_string(c.from));
        EXPECT_EQ(GetTag(slot(c.selected), "Text1"), "edited");
    }
    // Dragging a set node or onto itself does nothing.
    workspace.TestTreeChange(0, 0);
    const auto before = titles();
    workspace.TestTreeDragNodeEvent(0, 0, 0, 2);
    workspace.TestTreeDragNodeEvent(0, 2, 0, 2);
    workspace.TestTreeChange(0, 0);
    EXPECT_EQ(titles(), before);
}

TEST_F(WorkspaceTest, CopyingIntoAnotherSetAsksFirst)
{
    newSetWithTitles({"a1", "a2"});
    newSetWithTitles({"b1", "b2", "b3"});
    const int sourceChanges = workspace.set(0).changeCount;
    const int targetChanges = workspace.set(1).changeCount;

    ui.answers = {Answer::No};
    workspace.TestTreeDragNodeEvent(0, 2, 1, 1);
    EXPECT_EQ(ui.announced.back(), "s25");
    EXPECT_EQ(workspace.set(1).questionCount(), 3);
    EXPECT_FALSE(workspace.updating());

    ui.answers = {Answer::Yes};
    workspace.TestTreeDragNodeEvent(0, 2, 1, 1);
    EXPECT_EQ(workspace.currentSet(), 1);
    EXPECT_EQ(titles(), (std::vector<std::string>{"b1", "a2", "b2", "b3"}));
    EXPECT_EQ(captions(1)[1], "Q2: a2");
    EXPECT_GT(workspace.set(1).changeCount, targetChanges);
    EXPECT_EQ(workspace.set(0).changeCount, sourceChanges);
    EXPECT_EQ(workspace.set(0).questionCount(), 2);

    ui.answers = {Answer::Yes};
    workspace.TestTreeDragNodeEvent(0, 1, 1, 0);
    EXPECT_EQ(titles().front(), "a1");
}

TEST_F(WorkspaceTest, CopyingIntoAFullSetShowsS20)
{
    newSetWithTitles({"source"});
    ASSERT_TRUE(workspace.NewSet());
    for (int i = 2; i <= 100; ++i)
        workspace.NewQuestion();
    ui.answers = {Answer::Yes};
    workspace.TestTreeDragNodeEvent(0, 1, 1, 5);
    EXPECT_EQ(ui.announced.back(), "s20");
    EXPECT_EQ(workspace.set(1).questionCount(), 100);
    EXPECT_FALSE(workspace.updating());
}

TEST_F(WorkspaceTest, DeletingAQuestionClosesTheGap)
{
    newSetWithTitles({"q1", "q2", "q3"});
    workspace.TestTreeChange(0, 2);
    ui.answers = {Answer::No};
    workspace.DeleteQuestion();
    EXPECT_EQ(cur().questionCount(), 3);

    ui.answers = {Answer::Yes};
    const int before = cur().changeCount;
    workspace.DeleteQuestion();
    EXPECT_EQ(titles(), (std::vector<std::string>{"q1", "q3"}));
    EXPECT_EQ(captions(0), (std::vector<std::string>{"Q1: q1", "Q2: q3"}));
    EXPECT_EQ(workspace.currentQuestion(), -1);
    EXPECT_EQ(view.calls.back(), "details");
    EXPECT_EQ(cur().changeCount, before + 1);
    EXPECT_FALSE(cur().questionSlots[0].empty());

    for (int n : {1, 1}) {
        workspace.TestTreeChange(0, n);
        ui.answers = {Answer::Yes};
        workspace.DeleteQuestion();
    }
    EXPECT_EQ(cur().questionCount(), 0);
    EXPECT_EQ(list().questionNodeCount(0), 0);
}

TEST_F(WorkspaceTest, OpenDialogOpensEachChosenSetFile)
{
    ASSERT_TRUE(workspace.NewSet());
    const std::string a = saveAs("A.vtd");
    ui.answers = {Answer::No};
    workspace.CloseCurrentSet();
    const std::string text = dir.write("notes.txt", "not a set");
    ui.openChoices.push_back({a, text, dir.path("vanished.vtd")});
    workspace.FileOpen1Execute();
    EXPECT_EQ(ui.dialogs.back().title, "Open Dorvel File...");
    EXPECT_TRUE(ui.dialogs.back().allowMultiple);
    EXPECT_EQ(workspace.openSetCount(), 1);
    EXPECT_EQ(cur().filePath, a);
    EXPECT_EQ(view.recent.back(), a);
}

}  // namespace
}  // namespace dorvel
