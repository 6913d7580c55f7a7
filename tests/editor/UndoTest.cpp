#include "editor/undo/RecordChanges.h"
#include "editor/undo/SetHistory.h"
#include "model/DefaultRecords.h"
#include "tests/editor/WorkspaceFixture.h"

#include <functional>

namespace dorvel {
namespace {

using test::WorkspaceTest;

using Records = SetRecords;

bool operator==(const Records& a, const Records& b)
{
    return a.testDetails == b.testDetails && a.questionSlots == b.questionSlots;
}

class UndoTest : public WorkspaceTest {
protected:
    Records records() { return Records::of(cur()); }

    // Saves the set, makes the change, then checks that undo brings back the
    // saved records and the unchanged state, and redo the changed ones.
    void checkUndoRedo(const std::string& what, const std::function<void()>& change)
    {
        SCOPED_TRACE(what);
        saveAs("undo.vtd");
        ASSERT_FALSE(cur().hasUnsavedChanges());
        const Records saved = records();
        change();
        const Records changed = records();
        ASSERT_FALSE(changed == saved) << "the change changed nothing";
        EXPECT_TRUE(cur().hasUnsavedChanges());
        ASSERT_TRUE(workspace.canUndo());
        workspace.Undo();
        EXPECT_TRUE(records() == saved);
        EXPECT_FALSE(cur().hasUnsavedChanges());
        ASSERT_TRUE(workspace.canRedo());
        workspace.Redo();
        EXPECT_TRUE(records() == changed);
        EXPECT_TRUE(cur().hasUnsavedChanges());
        EXPECT_FALSE(workspace.updating());
    }
};

TEST_F(UndoTest, EveryKindOfChangeUndoesToTheSavedStateAndRedoes)
{
    struct Case {
        const char* what;
        int question;  // shown before the change; -1 the test details
        std::function<void(Workspace&)> change;
    };
    const Case cases[] = {
        {"typing a title", 2, [](Workspace& w) { w.questionChange("Title", "a"); w.questionChange("Title", "ab"); }},
        {"question type", 2, [](Workspace& w) { w.questionChange("QuestionType", "9"); }},
        {"chosen answer", 2, [](Workspace& w) { w.questionChange("Select3", "1"); }},
        {"true/false option", 2, [](Workspace& w) { w.questionChange("tf2", "0"); }},
        {"accepted answer", 2, [](Workspace& w) { w.questionChange("a12", "Paris"); }},
        {"test name", -1, [](Workspace& w) { w.TestChange("TestName", "Capitals"); }},
        {"check box", -1, [](Workspace& w) { w.TestCheckChange("allowCheating", true); }},
        {"pass mark", -1, [](Workspace& w) { w.PassMarkChange(60); }},
        {"style", -1, [](Workspace& w) { w.GraphicStyleChange("Seaside"); }},
        {"new question", 1, [](Workspace& w) { w.NewQuestion(); }},
        {"duplicate", 2, [](Workspace& w) { w.DuplicateQuestion(); }},
        {"move up", 3, [](Workspace& w) { w.MoveQuestionUp(); }},
        {"move down", 1, [](Workspace& w) { w.MoveQuestionDown(); }},
        {"drop", 1, [](Workspace& w) { w.TestTreeDragNodeEvent(w.currentSet(), 3, w.currentSet(), 0); }},
        {"delete", 2, [this](Workspace& w) { ui.answers = {Answer::Yes}; w.DeleteQuestion(); }},
    };
    for (const Case& c : cases) {
        newSetWithTitles({"q1", "q2", "q3"});
        workspace.TestTreeChange(workspace.currentSet(), c.question);
        checkUndoRedo(c.what, [&] { c.change(workspace); });
        ui.answers = {Answer::No};
        workspace.CloseCurrentSet();
    }
}

TEST_F(UndoTest, TypingInOneBoxIsOneStepAndAnotherBoxStartsTheNext)
{
    newSetWithTitles({"q1"});
    workspace.TestTreeChange(0, 1);
    for (const char* typed : {"P", "Pa", "Par", "Pari", "Paris"})
        workspace.questionChange("Text1", typed);
    workspace.questionChange("Text2", "Rome");
    workspace.questionChange("Text1", "Paris!");
    workspace.Undo();
    EXPECT_EQ(GetTag(slot(1), "Text1"), "Paris");
    workspace.Undo();
    EXPECT_EQ(GetTag(slot(1), "Text2"), GetTag(DefaultQuestionRecord(), "Text2"));
    workspace.Undo();
    EXPECT_EQ(GetTag(slot(1), "Text1"), GetTag(DefaultQuestionRecord(), "Text1"));
    EXPECT_EQ(GetTag(slot(1), "Title"), "q1");
}

TEST_F(UndoTest, DeletedQuestionComesBackInItsPlaceAndIsShown)
{
    // A small set, and a full one of 100 at both ends and in the middle:
    // the last slot of a full set is the one an off-by-one loses.
    struct Case {
        int count;
        int deleted;
    };
    for (const Case c : {Case{3, 2}, Case{kMaxQuestions, 1}, Case{kMaxQuestions, 50}, Case{kMaxQuestions, kMaxQuestions}}) {
        SCOPED_TRACE(std::to_string(c.deleted) + " of " + std::to_string(c.count));
        std::vector<std::string> all;
        for (int n = 1; n <= c.count; ++n)
            all.push_back("q" + std::to_string(n));
        newSetWithTitles(all);
        ASSERT_EQ(cur().questionCount(), c.count);
        workspace.TestTreeChange(workspace.currentSet(), c.deleted);
        ui.answers = {Answer::Yes};
        workspace.DeleteQuestion();
        std::vector<std::string> left = all;
        left.erase(left.begin() + (c.deleted - 1));
        ASSERT_EQ(titles(), left);
        workspace.Undo();
        EXPECT_EQ(titles(), all);
        // Redo deletes it again, and undo brings it back once more.
        workspace.Redo();
        EXPECT_EQ(titles(), left);
        workspace.Undo();
        EXPECT_EQ(titles(), all);
        std::vector<std::string> shown;
        for (int n = 1; n <= c.count; ++n)
            shown.push_back("Q" + std::to_string(n) + ": q" + std::to_string(n));
        EXPECT_EQ(captions(workspace.currentSet()), shown);
        EXPECT_EQ(workspace.currentQuestion(), c.deleted);
        EXPECT_EQ(view.calls.back(), "question " + std::to_string(c.deleted));
        // Typing after the undo goes to the question that came back.
        workspace.questionChange("Text1", "back");
        EXPECT_EQ(GetTag(slot(c.deleted), "Text1"), "back");
        ui.answers = {Answer::No};
        workspace.CloseCurrentSet();
    }
}

TEST_F(UndoTest, EachSetHasItsOwnHistory)
{
    newSetWithTitles({"a1"});
    newSetWithTitles({"b1"});
    workspace.TestTreeChange(0, 1);
    workspace.questionChange("Text1", "in a");
    workspace.TestTreeChange(1, 1);
    workspace.questionChange("Text1", "in b");
    workspace.Undo();
    EXPECT_EQ(GetTag(workspace.set(1).questionSlots[1], "Text1"), GetTag(DefaultQuestionRecord(), "Text1"));
    EXPECT_EQ(GetTag(workspace.set(0).questionSlots[1], "Text1"), "in a");
    // Closing the first set moves the second one's history along with it.
    workspace.TestTreeChange(0, 0);
    ui.answers = {Answer::No};
    workspace.CloseCurrentSet();
    ASSERT_EQ(workspace.currentSet(), 0);
    workspace.Redo();
    EXPECT_EQ(GetTag(workspace.set(0).questionSlots[1], "Text1"), "in b");
}

TEST_F(UndoTest, UndoingPastTheSaveLeavesTheSetChangedAndANewEditLosesTheWayBack)
{
    newSetWithTitles({"q1"});
    workspace.TestTreeChange(0, 1);
    workspace.questionChange("Text1", "saved");
    saveAs("s.vtd");
    workspace.questionChange("Text1", "saved and more");
    EXPECT_TRUE(cur().hasUnsavedChanges());
    workspace.Undo();
    EXPECT_FALSE(cur().hasUnsavedChanges());
    workspace.Undo();
    EXPECT_TRUE(cur().hasUnsavedChanges());
    // A different edit from here: the saved state can no longer be reached.
    workspace.questionChange("Text2", "other");
    EXPECT_FALSE(workspace.canRedo());
    workspace.Undo();
    EXPECT_TRUE(cur().hasUnsavedChanges());
}

TEST_F(UndoTest, TheNameASetTakesFromItsFileStaysWhenStepsBeforeTheSaveAreUndone)
{
    ASSERT_TRUE(workspace.NewSet());
    workspace.TestChange("ExaminerName", "Ames");
    workspace.TestChange("ExaminerName", "Ames, Jo");
    workspace.breakTypingStep();
    saveAs("Rivers.vtd");
    ASSERT_EQ(GetTag(cur().testDetails, "TestName"), "Rivers");
    workspace.Undo();
    EXPECT_EQ(GetTag(cur().testDetails, "ExaminerName"), "0");
    EXPECT_EQ(GetTag(cur().testDetails, "TestName"), "Rivers");
    workspace.Redo();
    EXPECT_EQ(GetTag(cur().testDetails, "ExaminerName"), "Ames, Jo");
    EXPECT_EQ(GetTag(cur().testDetails, "TestName"), "Rivers");
    EXPECT_FALSE(cur().hasUnsavedChanges());
}

TEST_F(UndoTest, ACopyDroppedIntoAnotherSetIsOneStepOfThatSet)
{
    newSetWithTitles({"a1", "a2"});
    newSetWithTitles({"b1"});
    ui.answers = {Answer::Yes};
    workspace.TestTreeDragNodeEvent(0, 2, 1, 0);
    ASSERT_EQ(titles(), (std::vector<std::string>{"a2", "b1"}));
    workspace.Undo();
    EXPECT_EQ(titles(), (std::vector<std::string>{"b1"}));
    EXPECT_EQ(workspace.set(0).questionCount(), 2);
}

TEST_F(UndoTest, SaveSaysWhereOnTheStatusLine)
{
    ASSERT_TRUE(workspace.NewSet());
    const std::string path = saveAs("status.vtd");
    ASSERT_FALSE(view.statuses.empty());
    EXPECT_EQ(view.statuses.back(), "Saved to " + path);
    EXPECT_EQ(workspace.fileName(0), "status.vtd");
}

}  // namespace
}  // namespace dorvel
