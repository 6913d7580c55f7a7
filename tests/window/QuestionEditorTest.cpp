#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "editor/ui/RadioGroup.h"
#include "exchange/QuestionReaders.h"
#include "exchange/SetRecords.h"
#include "model/QuestionName.h"
#include "model/SetFile.h"
#include "shell/ui/MainMenu.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/window/WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFont>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>

namespace dorvel::test {
namespace {

class QuestionEditorTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        startWindow();
        ASSERT_EQ(workspace().currentSet(), 0);
    }

    void showQuestion(int n)
    {
        workspace().questionList().requestSelection(workspace().currentSet(), n);
        ASSERT_EQ(workspace().currentQuestion(), n);
    }
    void chooseType(int type) { control<QComboBox>("QuestionType")->setCurrentIndex(type); }
    void typeInto(const char* name, const QString& text)
    {
        QWidget* box = control<QWidget>(name);
        if (auto* edit = qobject_cast<QLineEdit*>(box))
            edit->clear();
        if (auto* edit = qobject_cast<QPlainTextEdit*>(box))
            edit->clear();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(box, Qt::Key_Return);
            const QString& line = lines[i];
            for (qsizetype k = 0; k < line.size(); ++k) {
                const QChar c = line[k];
                if (c.unicode() < 128) {
                    QTest::keyClick(box, c.toLatin1());
                } else {
                    // Typed through an input method: no key code, only text
                    // (a character beyond the basic plane is one event).
                    const qsizetype n = c.isHighSurrogate() && k + 1 < line.size() ? 2 : 1;
                    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, line.mid(k, n), Qt::NoModifier);
                    k += n - 1;
                }
            }
        }
    }
    int changes() { return workspace().current()->changeCount; }
};

TEST_F(QuestionEditorTest, TestDetailsControlsWriteCleanedValues)
{
    const int before = changes();
    typeInto("TestName", QStringLiteral("  Rivers \"of\"   ^Europe` "));
    EXPECT_EQ(detailsField("TestName"), "Rivers &#34;of&#34; &#94;Europe&#96;");
    EXPECT_EQ(workspace().questionList().caption(0), "Set: Rivers \"of\" ^Europe`");
    // The box keeps what was typed; only the record holds the cleaned text.
    EXPECT_EQ(control<QLineEdit>("TestName")->text(), QStringLiteral("  Rivers \"of\"   ^Europe` "));

    typeInto("ExaminerName", QStringLiteral("Mme  Dupr\u00e9 "));
    EXPECT_EQ(detailsField("ExaminerName"), "Mme Dupr&#233;");

    for (const char* name : {"allowCheating", "allowPrinting", "allowFinishedQuestionViewing", "shouldUserEnterDetails"}) {
        SCOPED_TRACE(name);
        auto* box = control<QCheckBox>(name);
        const std::string was = detailsField(name);
        box->click();
        EXPECT_EQ(detailsField(name), was == "1" ? "0" : "1");
    }

    auto* styles = control<QComboBox>("GraphicStyle");
    ASSERT_GE(styles->count(), 2);
    styles->setCurrentIndex(1);
    EXPECT_EQ(detailsField("GraphicStyle"), fromQString(styles->itemText(1)));
    EXPECT_TRUE(control<QLabel>("StyleImage")->isVisible());
    EXPECT_FALSE(control<QLabel>("StyleImage")->pixmap().isNull());
    EXPECT_GT(changes(), before + 5);
}

// What teachers type in any script, the format's own characters, a line
// break and the inline marks come back into the boxes exactly, after the
// set was saved and opened again.
TEST_F(QuestionEditorTest, EveryTypedTextComesBackAfterSavingAndOpening)
{
    const QString typed[] = {
        QStringLiteral("Pr\u00fcfung: Gr\u00f6\u00dfe, Caf\u00e9, na\u00efve, Za\u017c\u00f3\u0142\u0107"),
        QStringLiteral("\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac \u0420\u0443\u0441\u0441\u043a\u0438\u0439 \u4e2d\u6587"),
        QStringLiteral("\u0627\u0644\u0639\u0631\u0628\u064a\u0629 \U0001F600 \u201equote\u201c \u2013 \u2014"),
        QStringLiteral("Is this \"true\"? 5^2 `x` & < > </Title><version>2</version>"),
        QStringLiteral("Planet.\nReally H<sub>2</sub>O x<sup>2</sup> <b>b</b><i>i</i><u>u</u>"),
    };
    typeInto("TestName", QStringLiteral("Pr\u00fcfung \u00a3"));
    showQuestion(1);
    const char* boxes[] = {"Title", "Text1", "Text2", "Text3", "Text4"};
    for (int k = 0; k < 5; ++k)
        typeInto(boxes[k], typed[k]);
    typeInto("a10", typed[0]);
    EXPECT_EQ(GetTag(workspace().current()->testDetails, "version"), "1");

    ui.saveChoices.push_back(dir.path("Pr\u00fcfung.vtd"));
    ASSERT_TRUE(workspace().SaveTest());
    workspace().CloseCurrentSet();
    ASSERT_TRUE(workspace().OpenSetFile(dir.path("Pr\u00fcfung.vtd")));
    EXPECT_EQ(control<QLineEdit>("TestName")->text(), QStringLiteral("Pr\u00fcfung \u00a3"));
    showQuestion(1);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(control<QPlainTextEdit>(boxes[k])->toPlainText(), typed[k]) << boxes[k];
    EXPECT_EQ(control<QLineEdit>("a10")->text(), typed[0]);
    EXPECT_EQ(workspace().questionList().caption(0, 1), fromQString(QStringLiteral("Q1: ") + typed[0]));

    // A set never named takes its file's name, in any script.
    ASSERT_TRUE(workspace().NewSet());
    ui.saveChoices.push_back(dir.path("Gr\u00f6\u00dfe \u4e2d.vtd"));
    ASSERT_TRUE(workspace().SaveTest());
    EXPECT_EQ(control<QLineEdit>("TestName")->text(), QStringLiteral("Gr\u00f6\u00dfe \u4e2d"));
    EXPECT_EQ(workspace().questionList().caption(1), "Test: Gr\u00f6\u00dfe \u4e2d");
}

// Imported questions keep the names other tools know them by; the box
// beside the type shows and edits that name.
TEST_F(QuestionEditorTest, TheNameBoxShowsAnImportedNameAndTypingInItIsOneUndoStep)
{
    const exchange::ImportResult imported = exchange::ReadGift("::Capitals::Paris is the capital of France. {T}\n\n::Rivers::The Danube flows east. {T}\n");
    ASSERT_EQ(imported.questions.size(), 2u);
    const std::string path = dir.path("quiz.vtd");
    OpenSet set = exchange::SetsOfQuestions(imported.questions, {}).front();
    ASSERT_TRUE(WriteStoredFile(path, PrepareSetFileText(set, 0)));
    ASSERT_TRUE(workspace().OpenSetFile(path));
    auto* box = control<QLineEdit>("qName");
    showQuestion(1);
    EXPECT_EQ(box->text(), QStringLiteral("Capitals"));
    EXPECT_EQ(box->placeholderText(), QStringLiteral("Name (Moodle, GIFT)"));
    EXPECT_EQ(box->accessibleName(), QStringLiteral("Name (Moodle, GIFT)"));
    EXPECT_NE(box->toolTip().indexOf(QStringLiteral("Students never see it")), -1);
    showQuestion(2);
    EXPECT_EQ(box->text(), QStringLiteral("Rivers"));

    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, QStringLiteral(" <2>"));
    EXPECT_EQ(QuestionName(workspace().current()->questionSlots[2]), "Rivers <2>");
    EXPECT_EQ(questionField(2, "qName").find('<'), std::string::npos) << "stored as text, never as markup";
    EXPECT_EQ(QuestionName(workspace().current()->questionSlots[1]), "Capitals");

    QAction* undo = MainMenu::item(*window, MenuCommand::Undo);
    QAction* redo = MainMenu::item(*window, MenuCommand::Redo);
    ASSERT_TRUE(undo && redo);
    undo->trigger();  // typing on is one step
    EXPECT_EQ(box->text(), QStringLiteral("Rivers"));
    EXPECT_EQ(questionField(2, "qName"), "Rivers");
    redo->trigger();
    EXPECT_EQ(box->text(), QStringLiteral("Rivers <2>"));

    // Emptied, the question has no name: a Moodle XML export names it after its text.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(questionField(2, "qName"), "");
    EXPECT_EQ(exchange::QuestionOfRecord(workspace().current()->questionSlots[2]).name, "");
}

// Leave out keeps a question in the set but out of the test; the list shows
// which questions are out, also after the set is opened again.
TEST_F(QuestionEditorTest, LeaveOutIsOneUndoStepAndTheListShowsTheQuestionsLeftOut)
{
    workspace().NewQuestion();
    showQuestion(1);
    auto* leaveOut = control<QCheckBox>("qDisabled");
    ASSERT_TRUE(leaveOut->isVisible());
    EXPECT_FALSE(leaveOut->isChecked());
    QuestionListModel& list = workspace().questionList();
    const auto italic = [&](int n) { return list.data(list.nodeIndex(0, n), Qt::FontRole).value<QFont>().italic(); };

    leaveOut->click();
    EXPECT_EQ(questionField(1, "qDisabled"), "1");
    EXPECT_TRUE(italic(1));
    EXPECT_FALSE(italic(2));
    EXPECT_NE(list.data(list.nodeIndex(0, 1), Qt::ToolTipRole).toString().indexOf(QStringLiteral("(left out of the test)")), -1);
    EXPECT_EQ(list.data(list.nodeIndex(0, 1), Qt::AccessibleDescriptionRole).toString(), QStringLiteral("left out of the test"));
    showQuestion(2);
    EXPECT_FALSE(leaveOut->isChecked()) << "each question shows its own";

    QAction* undo = MainMenu::item(*window, MenuCommand::Undo);
    ASSERT_TRUE(undo);
    undo->trigger();
    EXPECT_EQ(questionField(1, "qDisabled"), "0");
    EXPECT_FALSE(italic(1));
    EXPECT_FALSE(leaveOut->isChecked());
    MainMenu::item(*window, MenuCommand::Redo)->trigger();
    EXPECT_TRUE(leaveOut->isChecked());

    ui.saveChoices.push_back(dir.path("Left out.vtd"));
    ASSERT_TRUE(workspace().SaveTest());
    workspace().CloseCurrentSet();
    ASSERT_TRUE(workspace().OpenSetFile(dir.path("Left out.vtd")));
    EXPECT_TRUE(italic(1));
    EXPECT_FALSE(italic(2));
}

TEST_F(QuestionEditorTest, ThePassMarkBoxWritesThePercentageAndShowsNoneAsADash)
{
    auto* box = control<QSpinBox>("PassMark");
    EXPECT_EQ(box->value(), 0);
    EXPECT_EQ(box->text(), QStringLiteral("\u2014")) << "a new set has no pass mark";
    const int before = changes();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("65"));
    EXPECT_EQ(detailsField("PassMark"), "65");
    EXPECT_GT(changes(), before);

    // Another set shows its own pass mark; coming back shows this one again.
    workspace().NewSet();
    EXPECT_EQ(box->value(), 0);
    EXPECT_EQ(detailsField("PassMark"), "") << "showing a set is no edit";
    workspace().TestTreeChange(0, -1);
    EXPECT_EQ(box->value(), 65);
    box->setValue(0);
    EXPECT_EQ(detailsField("PassMark"), "0");
}

TEST_F(QuestionEditorTest, ClearingTheTestNameStoresAnEmptyName)
{
    typeInto("TestName", QStringLiteral("Quiz"));
    control<QLineEdit>("TestName")->clear();
    EXPECT_EQ(detailsField("TestName"), "");
}

TEST_F(QuestionEditorTest, NewSetShowsFirstStyleButKeepsDefault)
{
    EXPECT_EQ(control<QComboBox>("GraphicStyle")->currentIndex(), 0);
    EXPECT_EQ(detailsField("GraphicStyle"), "Default");
}

TEST_F(QuestionEditorTest, EveryQuestionControlWritesItsField)
{
    showQuestion(1);
    struct TextCase {
        const char* control;
        QString typed;
        std::string stored;
    };
    const TextCase texts[] = {
        {"Title", QStringLiteral("ab\ncd"), "ab&#10;cd"},
        {"Text1", QStringLiteral(" Paris  "), "Paris"},
        {"Text2", QStringLiteral("L\"yon"), "L&#34;yon"},
        {"Text3", QStringLiteral("Nice^"), "Nice&#94;"},
        {"Text4", QStringLiteral("Metz`s"), "Metz&#96;s"},
    };
    for (const TextCase& c : texts) {
        SCOPED_TRACE(c.control);
        typeInto(c.control, c.typed);
        EXPECT_EQ(currentField(c.control), c.stored);
    }
    EXPECT_EQ(workspace().questionList().caption(0, 1), "Q1: ab cd");

    // Select0 is chosen already (a blank answer reads as 0), so it comes last.
    for (int k : {1, 2, 3, 0}) {
        const std::string name = "Select" + std::to_string(k);
        control<QRadioButton>(name.c_str())->click();
        EXPECT_EQ(currentField("SelectAnswer"), std::to_string(k));
    }

    chooseType(5);
    EXPECT_EQ(currentField("qType"), "5");
    for (int k = 1; k <= 4; ++k) {
        const std::string name = "tf" + std::to_string(k);
        auto* group = control<RadioGroup>(name.c_str());
        // True before False, as the question types and the tests name them.
        EXPECT_EQ(group->itemText(0), QStringLiteral("True"));
        EXPECT_EQ(group->itemText(1), QStringLiteral("False"));
        group->item(1)->click();
        EXPECT_EQ(currentField(name), "0");
        group->item(0)->click();
        EXPECT_EQ(currentField(name), "1");
    }

    chooseType(10);
    for (int f = 1; f <= 4; ++f) {
        const std::string type = "tType" + std::to_string(f);
        control<RadioGroup>(type.c_str())->item(1)->click();
        EXPECT_EQ(currentField(type), "1");
        for (int n = 0; n < 5; ++n) {
            const std::string name = "a" + std::to_string(f) + std::to_string(n);
            typeInto(name.c_str(), QStringLiteral(" 3,5  km ") + QString::number(n));
            EXPECT_EQ(currentField(name), "3,5 km " + std::to_string(n)) << name;
        }
    }

    auto* disabled = control<QCheckBox>("qDisabled");
    EXPECT_TRUE(disabled->isVisible());
    disabled->click();
    EXPECT_EQ(currentField("qDisabled"), "1");
}

struct LayoutCase {
    int type;
    int optionPage;  // 0 Select, 1 TF, 2 Field
    int groups;
    const char* titleLabel;
    const char* text2Label;
};

class LayoutForTypeTest : public QuestionEditorTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutForTypeTest, ShowsTheFamilysPageLabelsAndGroups)
{
    const LayoutCase c = GetParam();
    showQuestion(1);
    chooseType(c.type);
    const char* pages[] = {"Select", "TF", "Field"};
    EXPECT_EQ(control<QStackedWidget>("OptionPages")->currentWidget()->objectName(),
              QString::fromLatin1(pages[c.optionPage]));
    EXPECT_EQ(control<QLabel>("TitleLabel")->text(), QString::fromLatin1(c.titleLabel));
    EXPECT_EQ(control<QLabel>("Text2Label")->text(), QString::fromLatin1(c.text2Label));
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        const bool shown = k <= c.groups;
        const std::string d = std::to_string(k);
        for (const std::string& name : {"Text" + d, "Text" + d + "Label", "ScrollText" + d, "tType" + d,
                                        "Select" + std::to_string(k - 1), "tf" + d})
            // Controls on the other option pages are hidden by their page, so
            // what counts is whether the group itself is shown.
            EXPECT_EQ(!control<QWidget>(name.c_str())->isHidden(), shown) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, LayoutForTypeTest,
                         ::testing::Values(LayoutCase{0, 0, 2, "Question", "Choice 2"},
                                           LayoutCase{1, 0, 3, "Question", "Choice 2"},
                                           LayoutCase{2, 0, 4, "Question", "Choice 2"},
                                           LayoutCase{3, 1, 1, "Question", "Statement 2"},
                                           LayoutCase{4, 1, 2, "Question", "Statement 2"},
                                           LayoutCase{5, 1, 3, "Question", "Statement 2"},
                                           LayoutCase{6, 1, 4, "Question", "Statement 2"},
                                           LayoutCase{7, 2, 1, "Question", "Field 2"},
                                           LayoutCase{8, 2, 2, "Question", "Field 2"},
                                           LayoutCase{9, 2, 3, "Question", "Field 2"},
                                           LayoutCase{10, 2, 4, "Question", "Field 2"}));

TEST_F(QuestionEditorTest, SwitchingTypesKeepsHiddenAnswers)
{
    showQuestion(1);
    chooseType(9);
    typeInto("Text3", QStringLiteral("Third field"));
    typeInto("a31", QStringLiteral("42"));
    chooseType(3);
    EXPECT_FALSE(control<QWidget>("Text3")->isVisibleTo(window.get()));
    chooseType(9);
    EXPECT_EQ(control<QPlainTextEdit>("Text3")->toPlainText(), QStringLiteral("Third field"));
    EXPECT_EQ(control<QLineEdit>("a31")->text(), QStringLiteral("42"));
    EXPECT_EQ(currentField("Text3"), "Third field");
    EXPECT_EQ(currentField("a31"), "42");

    // Showing the question again fills the controls from the record.
    workspace().questionList().requestSelection(0, 0);
    showQuestion(1);
    EXPECT_EQ(control<QComboBox>("QuestionType")->currentIndex(), 9);
    EXPECT_EQ(control<QLineEdit>("a31")->text(), QStringLiteral("42"));
}

TEST_F(QuestionEditorTest, MissingFieldsShowTheirDefaults)
{
    OpenSet& set = *workspace().current();
    set.questionSlots[1] = RemoveTag(RemoveTag(set.questionSlots[1], "tf2"), "qType");
    set.questionSlots[1] = SetTag(SetTag(SetTag(set.questionSlots[1], "tf1", "0"), "tf3", "yes"), "tf4", "2");
    showQuestion(1);
    EXPECT_EQ(control<QComboBox>("QuestionType")->currentText(), QStringLiteral("Multiple Choice, 4 Choices"));
    // A missing or malformed statement answer reads True, as the bank and
    // the web test mark it; only "0" is False.
    EXPECT_EQ(control<RadioGroup>("tf1")->itemText(control<RadioGroup>("tf1")->itemIndex()), QStringLiteral("False"));
    for (const char* name : {"tf2", "tf3", "tf4"})
        EXPECT_EQ(control<RadioGroup>(name)->itemText(control<RadioGroup>(name)->itemIndex()), QStringLiteral("True")) << name;
    EXPECT_TRUE(control<QRadioButton>("Select0")->isChecked());
    // Filling the controls is not an edit.
    EXPECT_FALSE(set.hasUnsavedChanges());
}

TEST_F(QuestionEditorTest, EditsAfterSelectingTheSetNodeDoNothing)
{
    showQuestion(1);
    workspace().questionList().requestSelection(0, 0);
    EXPECT_EQ(workspace().currentQuestion(), -1);
    EXPECT_EQ(control<QStackedWidget>("EditorPages")->currentWidget()->objectName(), QStringLiteral("TestDetails"));
    const std::string before = workspace().current()->questionSlots[1];
    control<QPlainTextEdit>("Title")->setPlainText(QStringLiteral("ignored"));
    EXPECT_EQ(workspace().current()->questionSlots[1], before);
}

TEST_F(QuestionEditorTest, NewQuestionButtonsAddAndShowAQuestion)
{
    control<QWidget>("NewQuestionButton1");
    QTest::mouseClick(control<QWidget>("NewQuestionButton1"), Qt::LeftButton);
    EXPECT_EQ(workspace().currentQuestion(), 2);
    EXPECT_EQ(workspace().questionList().caption(0, 2), "Q2:");
    EXPECT_EQ(control<QStackedWidget>("EditorPages")->currentWidget()->objectName(), QStringLiteral("Questions"));
    QTest::mouseClick(control<QWidget>("NewQuestionButton2"), Qt::LeftButton);
    EXPECT_EQ(workspace().currentQuestion(), 3);
    EXPECT_EQ(workspace().current()->questionCount(), 3);
}

}  // namespace
}  // namespace dorvel::test
