#include "editor/QuestionListModel.h"
#include "editor/QuestionMediaEditing.h"
#include "editor/Workspace.h"
#include "editor/spelling/SpellChecker.h"
#include "editor/ui/QuestionTreeView.h"
#include "editor/ui/LineSpelling.h"
#include "editor/ui/QuestionMediaBox.h"
#include "editor/ui/SpellingBox.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "tests/support/TestMedia.h"
#include "tests/window/WindowFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTest>
#include <QTextLayout>

#include <memory>

namespace dorvel::test {
namespace {

class SpellingTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        DeleteFile(SpellChecker::defaultPersonalList());
        startWindow();
        control<QuestionTreeView>("TestTree")->setCurrentIndex(workspace().questionList().nodeIndex(0, 1));
        box = control<QPlainTextEdit>("Text1");
    }
    void TearDown() override
    {
        DeleteFile(SpellChecker::defaultPersonalList());
        WindowTest::TearDown();
    }

    // Whether the word at `start` in the box's first line is underlined as misspelt.
    bool underlined(int start)
    {
        for (const QTextLayout::FormatRange& range : box->document()->firstBlock().layout()->formats())
            if (range.start <= start && start < range.start + range.length)
                return range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline;
        return false;
    }
    QPoint pointAt(int position)
    {
        QTextCursor cursor(box->document());
        cursor.setPosition(position);
        return box->cursorRect(cursor).center() + QPoint(2, 0);
    }

    QPlainTextEdit* box = nullptr;
};

TEST_F(SpellingTest, MisspeltWordsAreUnderlinedAndASuggestionReplacesThem)
{
    ASSERT_TRUE(window->spelling().enabled()) << "hunspell-en-gb is installed with the project's packages";
    EXPECT_EQ(window->spelling().dictionary(), "en_GB");
    box->setPlainText(QStringLiteral("The captial of France"));
    EXPECT_FALSE(underlined(0));
    EXPECT_TRUE(underlined(4));
    EXPECT_FALSE(underlined(15));

    std::unique_ptr<QMenu> menu(SpellingMenu(box, pointAt(6), window->spelling(), window->lang(),
                                             [this] { workspace().breakTypingStep(); }));
    QAction* capital = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == QStringLiteral("capital"))
            capital = action;
    ASSERT_NE(capital, nullptr);
    capital->trigger();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("The capital of France"));
    EXPECT_EQ(questionField(1, "Text1"), "The capital of France");
    EXPECT_FALSE(underlined(4));
    // The replacement is a step of its own, apart from the typing before it.
    workspace().Undo();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("The captial of France"));
}

TEST_F(SpellingTest, AWordAddedToTheDictionaryIsKnownFromThenOn)
{
    box->setPlainText(QStringLiteral("Vantricology"));
    ASSERT_TRUE(underlined(0));
    std::unique_ptr<QMenu> menu(SpellingMenu(box, pointAt(3), window->spelling(), window->lang()));
    QAction* add = menu->findChild<QAction*>(QStringLiteral("AddToDictionary"));
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->text(), QStringLiteral("Add to dictionary"));
    add->trigger();
    EXPECT_FALSE(underlined(0));
    // Kept in the personal list for the next session.
    SpellChecker next(SpellChecker::defaultPersonalList());
    ASSERT_TRUE(next.setLanguage("English (UK)"));
    EXPECT_TRUE(next.isCorrect("Vantricology"));
}

// The red of the wavy underline, counted in what the box shows.
int redPixels(QLineEdit* line)
{
    QCoreApplication::processEvents();
    const QImage image = line->grab().toImage();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > c.green() + 40 && c.red() > c.blue() + 40;
        }
    return red;
}

TEST_F(SpellingTest, OneLineBoxesUnderlineMisspeltWordsAndTakeASuggestion)
{
    control<QuestionTreeView>("TestTree")->setCurrentIndex(workspace().questionList().nodeIndex(0));
    auto* name = control<QLineEdit>("TestName");
    name->setText(QStringLiteral("Captial cities"));
    EXPECT_GT(redPixels(name), 0);
    const QPoint onWord(name->fontMetrics().horizontalAdvance(QStringLiteral("Cap")) + 4, name->height() / 2);
    std::unique_ptr<QMenu> menu(LineSpellingMenu(name, onWord, window->spelling(), window->lang(),
                                                 [this] { workspace().breakTypingStep(); }));
    QAction* capital = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == QStringLiteral("Capital"))
            capital = action;
    ASSERT_NE(capital, nullptr);
    capital->trigger();
    EXPECT_EQ(name->text(), QStringLiteral("Capital cities"));
    EXPECT_EQ(detailsField("TestName"), "Capital cities");
    EXPECT_EQ(redPixels(name), 0);
    workspace().Undo();
    EXPECT_EQ(name->text(), QStringLiteral("Captial cities"));
    EXPECT_GT(redPixels(name), 0);

    // A word added to the dictionary from one line box is known from then on.
    auto* examiner = control<QLineEdit>("ExaminerName");
    examiner->setText(QStringLiteral("Vantricology"));
    ASSERT_GT(redPixels(examiner), 0);
    menu.reset(LineSpellingMenu(examiner, QPoint(10, examiner->height() / 2), window->spelling(), window->lang()));
    QAction* add = menu->findChild<QAction*>(QStringLiteral("AddToDictionary"));
    ASSERT_NE(add, nullptr);
    add->trigger();
    EXPECT_EQ(redPixels(examiner), 0);
}

// The picture's description takes only what the author types (textEdited):
// a suggestion chosen from the menu must reach the set as typing does.
TEST_F(SpellingTest, APicturesDescriptionIsCheckedAndTakesASuggestion)
{
    ASSERT_TRUE(TakeQuestionMedia(workspace(), ui, window->lang(), MediaKind::Picture,
                                  MakePicture(dir.path("map.png"), 40, 30)));
    window->findChild<QuestionMediaBox*>()->refresh();
    auto* description = control<QLineEdit>("qPictureDescription");
    ASSERT_TRUE(description->isEnabled());
    description->setFocus();
    QTest::keyClicks(description, QStringLiteral("A rivver"));
    EXPECT_GT(redPixels(description), 0);
    const QPoint onWord(description->fontMetrics().horizontalAdvance(QStringLiteral("A ri")) + 4,
                        description->height() / 2);
    std::unique_ptr<QMenu> menu(LineSpellingMenu(description, onWord, window->spelling(), window->lang(),
                                                 [this] { workspace().breakTypingStep(); }));
    QAction* river = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == QStringLiteral("river"))
            river = action;
    ASSERT_NE(river, nullptr);
    river->trigger();
    EXPECT_EQ(DecodeText(questionField(1, "qPictureDescription")), "A river");
    EXPECT_EQ(redPixels(description), 0);
    workspace().Undo();
    EXPECT_EQ(DecodeText(questionField(1, "qPictureDescription")), "A rivver") << "the replacement is a step of its own";
}

TEST_F(SpellingTest, OptionsChooseAnotherDictionaryAndKeepTheChoice)
{
    QMenu* menu = window->findChild<QMenu*>(QStringLiteral("SpellingDictionary"));
    ASSERT_NE(menu, nullptr);
    // Each dictionary by its language's own name, not by its file's code.
    QAction* german = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == QStringLiteral("Deutsch (Deutschland)"))
            german = action;
        EXPECT_FALSE(QRegularExpression(QStringLiteral("^[a-z]{2,3}_[A-Z]{2}$")).match(action->text()).hasMatch())
            << action->text().toStdString();
    }
    ASSERT_NE(german, nullptr) << "hunspell-de-de is installed with the project's packages";
    EXPECT_TRUE(menu->actions().first()->isChecked());  // the language of the menus
    box->setPlainText(QStringLiteral("Haus house"));
    ASSERT_TRUE(underlined(0));
    german->trigger();
    EXPECT_FALSE(underlined(0));
    EXPECT_TRUE(underlined(5));
    EXPECT_EQ(StoredSetting(QStringLiteral("spellingDictionary")).toString(), QStringLiteral("de_DE"));
    ui.answers = {Answer::No};  // the typing is not saved
    ASSERT_TRUE(closeWindow());
    startWindow();
    EXPECT_EQ(window->spelling().dictionary(), "de_DE");
}

TEST(SpellCheckerTest, WithoutADictionarySpellingIsOff)
{
    SpellChecker checker(SpellChecker::defaultPersonalList());
    EXPECT_FALSE(checker.setLanguage("xx_NONE"));
    EXPECT_FALSE(checker.enabled());
    EXPECT_TRUE(checker.isCorrect("qwzx"));
    EXPECT_TRUE(checker.suggestions("qwzx").empty());
}

}  // namespace
}  // namespace dorvel::test
