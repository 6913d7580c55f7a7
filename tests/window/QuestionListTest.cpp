#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "editor/ui/QuestionTreeView.h"
#include "storage/Vtutils.h"
#include "tests/window/WindowFixture.h"

#include <QMimeData>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>

#include <memory>

namespace dorvel::test {
namespace {

// The question list, told whether the drag under way is one it started
// (offscreen, a real drag ends before it can drop).
class DragTree : public QuestionTreeView {
public:
    using QuestionTreeView::QuestionTreeView;
    void setOwnDrag(bool own) { m_ownDragUnderWay = own; }
};

class QuestionListTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        startWindow();
        tree = control<QuestionTreeView>("TestTree");
    }

    QuestionListModel& list() { return workspace().questionList(); }

    // Gives the current set questions titled as listed.
    void titleQuestions(const std::vector<std::string>& titles)
    {
        const int set = workspace().currentSet();
        for (std::size_t i = 0; i < titles.size(); ++i) {
            if (i > 0)
                workspace().NewQuestion();
            tree->setCurrentIndex(list().nodeIndex(set, static_cast<int>(i) + 1));
            control<QPlainTextEdit>("Title")->setPlainText(QString::fromStdString(titles[i]));
        }
    }
    std::vector<std::string> titles(int set)
    {
        std::vector<std::string> out;
        for (int q = 1; q <= workspace().set(set).questionCount(); ++q)
            out.push_back(GetTag(workspace().set(set).questionSlots[static_cast<std::size_t>(q)], "Title"));
        return out;
    }
    std::vector<std::string> captions(int set)
    {
        std::vector<std::string> out;
        for (int q = 1; q <= list().questionNodeCount(set); ++q)
            out.push_back(list().caption(set, q));
        return out;
    }
    // A drop of question node (set, question) onto a node, as the view hands it on.
    void drop(int set, int question, int targetSet, int targetQuestion)
    {
        std::unique_ptr<QMimeData> data(list().mimeData({list().nodeIndex(set, question)}));
        ASSERT_TRUE(data);
        EXPECT_FALSE(list().dropMimeData(data.get(), Qt::MoveAction, -1, -1, list().nodeIndex(targetSet, targetQuestion)));
    }

    QuestionTreeView* tree = nullptr;
};

TEST_F(QuestionListTest, SelectingNodesChoosesWhatTheEditorShows)
{
    titleQuestions({"one", "two"});
    tree->setCurrentIndex(list().nodeIndex(0, 2));
    EXPECT_EQ(workspace().currentQuestion(), 2);
    EXPECT_EQ(control<QPlainTextEdit>("Title")->toPlainText(), QStringLiteral("two"));
    EXPECT_EQ(control<QStackedWidget>("EditorPages")->currentWidget()->objectName(), QStringLiteral("Questions"));
    tree->setCurrentIndex(list().nodeIndex(0, 0));
    EXPECT_EQ(workspace().currentQuestion(), -1);
    EXPECT_EQ(control<QStackedWidget>("EditorPages")->currentWidget()->objectName(), QStringLiteral("TestDetails"));
}

TEST_F(QuestionListTest, ViewFollowsTheModelAndShowsIcons)
{
    EXPECT_FALSE(tree->rootIsDecorated());
    EXPECT_EQ(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(tree->isExpanded(list().nodeIndex(0)));
    EXPECT_EQ(list().nodeIndex(0).data(QuestionListModel::IconRole).toInt(), 1);
    tree->collapse(list().nodeIndex(0));
    EXPECT_EQ(list().nodeIndex(0).data(QuestionListModel::IconRole).toInt(), 0);
    EXPECT_FALSE(list().isExpanded(0));
    list().setExpanded(0, true);
    EXPECT_TRUE(tree->isExpanded(list().nodeIndex(0)));
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(tree->icons().pixmap(i).isNull());
}

struct MoveCase {
    int from;
    int onto;
    std::vector<std::string> order;
    int selected;
};

TEST_F(QuestionListTest, DroppingAQuestionInItsSetMovesIt)
{
    const MoveCase cases[] = {
        {1, 3, {"b", "c", "a", "d"}, 3},
        {4, 1, {"a", "d", "b", "c"}, 2},
        {3, 0, {"c", "a", "b", "d"}, 1},
    };
    titleQuestions({"a", "b", "c", "d"});
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.from);
        // Each case starts again from a, b, c, d.
        for (int q = 1; q <= 4; ++q)
            workspace().current()->questionSlots[static_cast<std::size_t>(q)] = SetTag(workspace().current()->questionSlots[static_cast<std::size_t>(q)], "Title",
                                                                                       std::string(1, static_cast<char>('a' + q - 1)));
        const int before = workspace().current()->changeCount;
        drop(0, c.from, 0, c.onto);
        EXPECT_EQ(titles(0), c.order);
        EXPECT_EQ(workspace().currentQuestion(), c.selected);
        EXPECT_EQ(tree->selectedNode(), std::make_pair(0, c.selected));
        EXPECT_EQ(captions(0)[0], "Q1: " + c.order[0]);
        EXPECT_GT(workspace().current()->changeCount, before);
    }
}

TEST_F(QuestionListTest, SetNodesAndSelfDropsDoNothing)
{
    titleQuestions({"a", "b"});
    EXPECT_EQ(list().mimeData({list().nodeIndex(0)}), nullptr);
    const int before = workspace().current()->changeCount;
    drop(0, 2, 0, 2);
    EXPECT_EQ(titles(0), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(workspace().current()->changeCount, before);
}

TEST_F(QuestionListTest, DroppingOntoAnotherSetCopiesAfterAsking)
{
    titleQuestions({"a", "b"});
    window->GeneralCall(MenuCommand::NewSet);
    titleQuestions({"x", "y"});

    ui.answers.push_back(Answer::No);
    drop(0, 2, 1, 1);
    EXPECT_EQ(titles(1), (std::vector<std::string>{"x", "y"}));
    // After a No the editor still takes edits.
    tree->setCurrentIndex(list().nodeIndex(1, 1));
    control<QPlainTextEdit>("Title")->setPlainText(QStringLiteral("x2"));
    EXPECT_EQ(titles(1)[0], "x2");

    const int sourceChanges = workspace().set(0).changeCount;
    const int targetChanges = workspace().set(1).changeCount;
    ui.answers.push_back(Answer::Yes);
    drop(0, 2, 1, 1);
    EXPECT_EQ(titles(1), (std::vector<std::string>{"x2", "b", "y"}));
    EXPECT_EQ(captions(1), (std::vector<std::string>{"Q1: x2", "Q2: b", "Q3: y"}));
    EXPECT_EQ(titles(0), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(workspace().set(0).changeCount, sourceChanges);
    EXPECT_GT(workspace().set(1).changeCount, targetChanges);
    EXPECT_EQ(tree->selectedNode(), std::make_pair(1, 2));

    ui.answers.push_back(Answer::Yes);
    drop(0, 1, 1, 0);
    EXPECT_EQ(titles(1)[0], "a");
    EXPECT_EQ(ui.questions.size(), 3u);
}

// A copy into a full set is refused, and the editor stays with the question
// it showed: typing, Delete and Preview act on that one, not on the full set.
TEST_F(QuestionListTest, ACopyIntoAFullSetChangesNothing)
{
    window->GeneralCall(MenuCommand::NewSet);
    for (int n = 1; n < 100; ++n)
        workspace().NewQuestion();
    ASSERT_EQ(workspace().set(1).questionCount(), 100);
    const std::string fullFirst = workspace().set(1).questionSlots[1];
    tree->setCurrentIndex(list().nodeIndex(0, 1));
    control<QPlainTextEdit>("Title")->setPlainText(QStringLiteral("a"));

    ui.answers.push_back(Answer::Yes);
    drop(0, 1, 1, 1);
    EXPECT_EQ(ui.messages.back(), window->lang().at(20));
    EXPECT_EQ(workspace().currentSet(), 0);
    EXPECT_EQ(workspace().currentQuestion(), 1);
    control<QPlainTextEdit>("Title")->setPlainText(QStringLiteral("typed"));
    EXPECT_EQ(titles(0), std::vector<std::string>{"typed"});
    EXPECT_EQ(workspace().set(1).questionSlots[1], fullFirst);
    EXPECT_EQ(workspace().set(1).questionCount(), 100);
}

TEST_F(QuestionListTest, ADropOnTheViewIsCarriedOutOnceTheDragEnds)
{
    titleQuestions({"a", "b", "c"});
    DragTree view(workspace());
    view.resize(tree->size());
    view.show();
    view.setCurrentIndex(list().nodeIndex(0, 1));
    std::unique_ptr<QMimeData> data(list().mimeData({list().nodeIndex(0, 1)}));
    const QPoint onto = view.visualRect(list().nodeIndex(0, 3)).topLeft() + QPoint(30, 1);

    // The same bytes dragged in from another program are refused.
    QDragEnterEvent foreignEnter(onto, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &foreignEnter);
    EXPECT_FALSE(foreignEnter.isAccepted());
    QDropEvent foreign(onto, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &foreign);
    EXPECT_FALSE(foreign.isAccepted());
    QCoreApplication::processEvents();
    EXPECT_EQ(titles(0), (std::vector<std::string>{"a", "b", "c"}));

    // A drag the list started itself enters the view before it drops.
    view.setOwnDrag(true);
    QDragEnterEvent enter(onto, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent event(onto, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &event);
    EXPECT_TRUE(event.isAccepted());
    EXPECT_EQ(event.dropAction(), Qt::CopyAction);  // the view never removes the source
    EXPECT_EQ(titles(0), (std::vector<std::string>{"a", "b", "c"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(titles(0), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(list().questionNodeCount(0), 3);

    // Empty space below the nodes is no target.
    QDropEvent nowhere(QPoint(20, view.viewport()->height() - 3), Qt::CopyAction, data.get(), Qt::LeftButton,
                       Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &nowhere);
    EXPECT_FALSE(nowhere.isAccepted());
}

TEST_F(QuestionListTest, ALineShowsWhereADropLandsAndAboveTheFirstQuestionIsFirst)
{
    titleQuestions({"a", "b", "c"});
    DragTree view(workspace());
    view.resize(tree->size());
    view.show();
    view.setOwnDrag(true);
    view.expandAll();
    QCoreApplication::processEvents();
    std::unique_ptr<QMimeData> data(list().mimeData({list().nodeIndex(0, 3)}));
    const QRect second = view.visualRect(list().nodeIndex(0, 2));
    const QRect first = view.visualRect(list().nodeIndex(0, 1));
    const auto moveTo = [&](QPoint at) {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &move);
    };
    // A drop onto a question lands after it: the line is under it.
    moveTo(second.center());
    EXPECT_EQ(view.dropLineY(), second.bottom());
    // The upper part of the first question is the place before it.
    const QPoint aboveFirst(first.left() + 30, first.top() + 1);
    moveTo(aboveFirst);
    EXPECT_EQ(view.dropLineY(), first.top());
    QDropEvent drop(aboveFirst, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &drop);
    EXPECT_EQ(view.dropLineY(), -1);
    QCoreApplication::processEvents();
    EXPECT_EQ(titles(0), (std::vector<std::string>{"c", "a", "b"}));
}

TEST_F(QuestionListTest, DeleteQuestionButtonAsksThenRemoves)
{
    titleQuestions({"a", "b", "c"});
    tree->setCurrentIndex(list().nodeIndex(0, 2));
    ui.answers.push_back(Answer::No);
    QTest::mouseClick(control<QWidget>("DeleteQuestionButton"), Qt::LeftButton);
    EXPECT_EQ(titles(0).size(), 3u);

    ui.answers.push_back(Answer::Yes);
    QTest::mouseClick(control<QWidget>("DeleteQuestionButton"), Qt::LeftButton);
    EXPECT_EQ(titles(0), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(captions(0), (std::vector<std::string>{"Q1: a", "Q2: c"}));
    EXPECT_EQ(workspace().currentQuestion(), -1);
    EXPECT_EQ(control<QStackedWidget>("EditorPages")->currentWidget()->objectName(), QStringLiteral("TestDetails"));
    EXPECT_TRUE(workspace().current()->hasUnsavedChanges());
}

}  // namespace
}  // namespace dorvel::test
