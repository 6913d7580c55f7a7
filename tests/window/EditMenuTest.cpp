#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "editor/ui/QuestionTreeView.h"
#include "editor/ui/RadioGroup.h"
#include "editor/ui/SpellingBox.h"
#include "editor/undo/SetHistory.h"
#include "shell/ui/AboutBox.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/window/WindowFixture.h"

#include <QAction>
#include <QRadioButton>
#include <QComboBox>
#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>

#include <functional>
#include <memory>

namespace dorvel::test {
namespace {

class EditMenuTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        startWindow();
        // Keys go to the active window, which the splash is until it ends.
        window->aboutBox().endSplash();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        tree = control<QuestionTreeView>("TestTree");
    }

    QuestionListModel& list() { return workspace().questionList(); }
    void select(int question) { tree->setCurrentIndex(list().nodeIndex(workspace().currentSet(), question)); }
    std::vector<std::string> titles()
    {
        std::vector<std::string> out;
        for (int q = 1; q <= workspace().current()->questionCount(); ++q)
            out.push_back(questionField(q, "Title"));
        return out;
    }
    // Types into a box as the author does, one key at a time.
    void type(const char* box, const char* text)
    {
        QWidget* w = control<QWidget>(box);
        w->setFocus();
        QTest::keyClicks(w, QString::fromLatin1(text));
    }
    void key(QKeySequence sequence)
    {
        // The welcome help opens beside the window at a first start and takes the activation.
        QApplication::setActiveWindow(window.get());
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keySequence(target, sequence);
    }
    void titleQuestions(const std::vector<std::string>& titles)
    {
        for (std::size_t i = 0; i < titles.size(); ++i) {
            if (i > 0)
                workspace().NewQuestion();
            select(static_cast<int>(i) + 1);
            control<QPlainTextEdit>("Title")->setPlainText(QString::fromStdString(titles[i]));
        }
    }
    void saveAs(const std::string& name)
    {
        ui.saveChoices.push_back(dir.path(name));
        ASSERT_TRUE(workspace().SaveTestAs());
    }

    QuestionTreeView* tree = nullptr;
};

TEST_F(EditMenuTest, UndoKeysInATextBoxUndoTheSetBackToItsSavedState)
{
    titleQuestions({"one", "two"});
    saveAs("keys.vtd");
    select(2);
    type("Text1", "Paris");
    type("Title", "!");
    ASSERT_EQ(questionField(2, "Text1"), "Paris");
    ASSERT_EQ(questionField(2, "Title"), "!two");
    EXPECT_TRUE(window->isWindowModified());

    // The focus is in the title box, whose own undo must not take the keys.
    key(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(questionField(2, "Title"), "two");
    EXPECT_EQ(control<QPlainTextEdit>("Title")->toPlainText(), QStringLiteral("two"));
    key(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(questionField(2, "Text1"), " ");  // a new question's blank, shown empty
    EXPECT_EQ(control<QPlainTextEdit>("Text1")->toPlainText(), QString());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(workspace().current()->hasUnsavedChanges());

    key(QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(control<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral("Paris"));
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(questionField(2, "Title"), "!two");
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(EditMenuTest, DeleteAndDropAreUndoneFromTheMenu)
{
    titleQuestions({"a", "b", "c"});
    saveAs("menu.vtd");
    select(2);
    ui.answers = {Answer::Yes};
    control<QWidget>("DeleteQuestionButton")->setFocus();
    QTest::mouseClick(control<QWidget>("DeleteQuestionButton"), Qt::LeftButton);
    ASSERT_EQ(titles(), (std::vector<std::string>{"a", "c"}));

    std::unique_ptr<QMimeData> data(list().mimeData({list().nodeIndex(0, 2)}));
    list().dropMimeData(data.get(), Qt::MoveAction, -1, -1, list().nodeIndex(0, 0));
    ASSERT_EQ(titles(), (std::vector<std::string>{"c", "a"}));

    QAction* undo = MainMenu::item(*window, MenuCommand::Undo);
    ASSERT_TRUE(undo);
    undo->trigger();
    EXPECT_EQ(titles(), (std::vector<std::string>{"a", "c"}));
    undo->trigger();
    EXPECT_EQ(titles(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(list().caption(0, 2), "Q2: b");
    EXPECT_EQ(control<QPlainTextEdit>("Title")->toPlainText(), QStringLiteral("b"));
    EXPECT_FALSE(window->isWindowModified());
    MainMenu::item(*window, MenuCommand::Redo)->trigger();
    EXPECT_EQ(titles(), (std::vector<std::string>{"a", "c"}));
}

// The delete prompt tells the truth in every language: the menu item it
// names (as the window shows it) brings the question back.
TEST_F(EditMenuTest, TheDeletePromptNamesTheUndoThatBringsTheQuestionBack)
{
    titleQuestions({"a", "b"});
    for (const char* language : {"English (UK)", "Deutsch"}) {
        SCOPED_TRACE(language);
        window->LanguageSelection(language);
        const QString undoItem = control<QMenu>("Edit1")->title().remove(QLatin1Char('&')) + QStringLiteral(" > ")
            + MainMenu::item(*window, MenuCommand::Undo)->text().remove(QLatin1Char('&'));
        select(2);
        ui.questions.clear();
        ui.answers = {Answer::Yes};
        QTest::mouseClick(control<QWidget>("DeleteQuestionButton"), Qt::LeftButton);
        ASSERT_EQ(titles(), (std::vector<std::string>{"a"}));
        ASSERT_EQ(ui.questions.size(), 1u);
        EXPECT_NE(QString::fromStdString(ui.questions[0]).indexOf(undoItem), -1) << ui.questions[0];
        key(QKeySequence(Qt::CTRL | Qt::Key_Z));
        EXPECT_EQ(titles(), (std::vector<std::string>{"a", "b"}));
    }
}

TEST_F(EditMenuTest, DuplicateAndMoveWithTheKeyboard)
{
    titleQuestions({"a", "b", "c"});
    select(2);
    tree->setFocus();
    key(QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_EQ(titles(), (std::vector<std::string>{"a", "b", "b", "c"}));
    EXPECT_EQ(workspace().currentQuestion(), 3);
    key(QKeySequence(Qt::ALT | Qt::Key_Down));
    key(QKeySequence(Qt::ALT | Qt::Key_Down));  // already last: nothing
    EXPECT_EQ(titles(), (std::vector<std::string>{"a", "b", "c", "b"}));
    select(1);
    key(QKeySequence(Qt::ALT | Qt::Key_Up));  // already first: nothing
    key(QKeySequence(Qt::ALT | Qt::Key_Down));
    EXPECT_EQ(titles(), (std::vector<std::string>{"b", "a", "c", "b"}));
    EXPECT_EQ(workspace().currentQuestion(), 2);
    EXPECT_EQ(tree->currentIndex(), list().nodeIndex(0, 2));
}

// What the author chooses for the editor itself (its language, the
// spelling dictionary, the personal word list) is no edit of the set: a
// saved set stays saved, with the history as it was.
TEST_F(EditMenuTest, InterfaceChoicesLeaveTheSetAndItsHistoryAlone)
{
    titleQuestions({"one", "two"});
    select(2);
    control<QPlainTextEdit>("Text1")->setPlainText(QStringLiteral("Vantricology"));
    saveAs("choices.vtd");
    select(1);
    select(2);  // a new question's blank answers on show
    const SetHistory& history = *workspace().history(0);
    const int steps = history.undoSteps();
    const auto choose = [this](const char* menuName, const QString& text) {
        for (QAction* action : control<QMenu>(menuName)->actions())
            if (action->text() == text)
                return action->trigger();
        ADD_FAILURE() << "no item " << text.toStdString();
    };
    const std::pair<const char*, std::function<void()>> choices[] = {
        {"language", [&] { choose("LangChoices", QStringLiteral("Deutsch")); }},
        {"language back", [&] { choose("LangChoices", QStringLiteral("English (UK)")); }},
        {"dictionary", [&] { choose("SpellingDictionary", QStringLiteral("Deutsch (Deutschland)")); }},
        {"own dictionary", [&] { control<QMenu>("SpellingDictionary")->actions().front()->trigger(); }},
        {"add to dictionary",
         [&] {
             auto* box = control<QPlainTextEdit>("Text1");
             std::unique_ptr<QMenu> menu(SpellingMenu(box, box->cursorRect(QTextCursor(box->document())).center(),
                                                      window->spelling(), window->lang()));
             menu->findChild<QAction*>(QStringLiteral("AddToDictionary"))->trigger();
         }},
    };
    for (const auto& [name, choose] : choices) {
        SCOPED_TRACE(name);
        choose();
        QCoreApplication::processEvents();
        EXPECT_FALSE(workspace().current()->hasUnsavedChanges());
        EXPECT_FALSE(window->isWindowModified());
        EXPECT_EQ(history.undoSteps(), steps);
        EXPECT_FALSE(history.canRedo());
    }
    EXPECT_EQ(questionField(2, "Text1"), "Vantricology");
}

// Each command is a step of its own, also when its records look alike: a
// copy moved up past its original changes no record but where it stands.
TEST_F(EditMenuTest, DuplicateAndMoveAreUndoneOneAtATime)
{
    titleQuestions({"a", "b", "c"});
    saveAs("steps.vtd");
    using State = std::pair<std::vector<std::string>, int>;  // titles, question shown
    const std::pair<int, int> cases[] = {
        {2, 1},  // duplicate b, move the copy up past b
        {3, 2},  // duplicate c, move the copy up past c, then past b
    };
    for (const auto& [question, ups] : cases) {
        SCOPED_TRACE(question);
        select(question);
        tree->setFocus();
        std::vector<State> states{{titles(), question}};
        key(QKeySequence(Qt::CTRL | Qt::Key_D));
        states.push_back({titles(), workspace().currentQuestion()});
        for (int i = 0; i < ups; ++i) {
            key(QKeySequence(Qt::ALT | Qt::Key_Up));
            states.push_back({titles(), workspace().currentQuestion()});
        }
        ASSERT_EQ(states.back().second, question - ups + 1);
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            key(QKeySequence(Qt::CTRL | Qt::Key_Z));
            // Undo shows the place the step changed: where the question stood before it.
            EXPECT_EQ(titles(), states[i - 1].first) << "undo " << states.size() - i;
            EXPECT_EQ(workspace().currentQuestion(), states[i - 1].second) << "undo " << states.size() - i;
        }
        EXPECT_FALSE(window->isWindowModified());
    }
}

TEST_F(EditMenuTest, CaptionNamesTheFileAndMarksUnsavedWork)
{
    // A new set is named as its first save will propose.
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Dorvel 1.vtd[*]")));
    EXPECT_FALSE(window->isWindowModified());
    select(1);
    type("Title", "x");
    EXPECT_TRUE(window->isWindowModified());
    saveAs("Capitals.vtd");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Capitals.vtd[*] - Vantric Dorvel 1.0"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->statusBar()->currentMessage(), QString::fromStdString("Saved to " + dir.path("Capitals.vtd")));
    // Changed again, the set is no longer as saved: the status stops saying so.
    type("Title", "y");
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->statusBar()->currentMessage(), QString());
}

TEST_F(EditMenuTest, AFieldOfNumbersMarksAnAnswerThatIsNotANumber)
{
    select(1);
    control<QComboBox>("QuestionType")->setCurrentIndex(9);  // one typed field
    auto* first = control<QLineEdit>("a10");
    auto* second = control<QLineEdit>("a11");
    QTest::keyClicks(first, QStringLiteral("twelve"));
    QTest::keyClicks(second, QStringLiteral("12,5"));
    EXPECT_FALSE(first->property("notANumber").toBool());  // any text is fine
    control<RadioGroup>("tType1")->item(1)->click();       // Numbers
    EXPECT_TRUE(first->property("notANumber").toBool());
    EXPECT_FALSE(first->toolTip().isEmpty());
    EXPECT_FALSE(second->property("notANumber").toBool());
    first->clear();
    QTest::keyClicks(first, QStringLiteral("12"));
    EXPECT_FALSE(first->property("notANumber").toBool());
    EXPECT_TRUE(first->toolTip().isEmpty());
    // Shown again, a question's wrong answers are marked at once.
    QTest::keyClicks(first, QStringLiteral("x"));
    select(0);
    select(1);
    EXPECT_TRUE(control<QLineEdit>("a10")->property("notANumber").toBool());
}

TEST_F(EditMenuTest, ARangeTakesItsBoundsFromTheFirstTwoAnswersInOneStep)
{
    select(1);
    control<QComboBox>("QuestionType")->setCurrentIndex(9);  // one typed field
    QTest::keyClicks(control<QLineEdit>("a10"), QStringLiteral("4800"));
    QTest::keyClicks(control<QLineEdit>("a11"), QStringLiteral("4810"));
    control<RadioGroup>("tType1")->item(2)->click();  // A range
    EXPECT_EQ(questionField(1, "tType1"), "1");
    EXPECT_EQ(questionField(1, "useRange1"), "1");
    EXPECT_EQ(control<QLineEdit>("a10")->placeholderText(), QStringLiteral("lowest number"));
    EXPECT_EQ(control<QLineEdit>("a11")->placeholderText(), QStringLiteral("highest number"));
    EXPECT_FALSE(control<QLineEdit>("a12")->isEnabled()) << "a range has two bounds only";

    workspace().Undo();
    EXPECT_EQ(control<RadioGroup>("tType1")->itemIndex(), 0);
    EXPECT_EQ(questionField(1, "useRange1"), "");
    EXPECT_TRUE(control<QLineEdit>("a12")->isEnabled());
    EXPECT_EQ(questionField(1, "a11"), "4810") << "one step: the typing stays";
    workspace().Redo();
    EXPECT_EQ(control<RadioGroup>("tType1")->itemIndex(), 2);
    // Shown again, the question's range is chosen.
    select(0);
    select(1);
    EXPECT_EQ(control<RadioGroup>("tType1")->itemIndex(), 2);
    control<RadioGroup>("tType1")->item(1)->click();  // Numbers: the bounds are accepted answers again
    EXPECT_EQ(questionField(1, "useRange1"), "0");
    EXPECT_TRUE(control<QLineEdit>("a12")->isEnabled());
}

TEST_F(EditMenuTest, FirstSaveOffersTheDocumentsFolder)
{
    ui.saveChoices.push_back(std::nullopt);
    workspace().SaveTest();
    ASSERT_FALSE(ui.dialogs.empty());
    EXPECT_EQ(ui.dialogs.back().folder,
              WithSeparator(fromQString(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))));
}

// With the window's own message boxes: Enter on Delete Question's question
// must not throw the question away.
TEST(DeleteQuestionBoxTest, EnterKeepsTheQuestion)
{
    MainWindow own;
    Workspace& w = own.workspace();
    ASSERT_TRUE(w.NewSet());
    w.NewQuestion();
    w.TestTreeChange(0, 1);
    bool answered = false;
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && !answered) {
            answered = true;
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    press.start(20);
    w.DeleteQuestion();
    EXPECT_TRUE(answered);
    EXPECT_EQ(w.current()->questionCount(), 2);
}

}  // namespace
}  // namespace dorvel::test
