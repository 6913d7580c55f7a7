#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "editor/ui/QuestionTreeView.h"
#include "tests/window/WindowFixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTest>

namespace dorvel::test {
namespace {

using WindowSizeTest = WindowTest;

// Every control shown lies wholly inside the window's client area.
void expectAllInside(QWidget* client, const char* page)
{
    const QRect area = client->rect();
    for (QWidget* w : client->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->objectName().isEmpty())
            continue;
        const QRect r(w->mapTo(client, QPoint(0, 0)), w->size());
        EXPECT_TRUE(area.contains(r)) << page << ": " << w->objectName().toStdString() << " at "
                                      << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    }
}

// No control shown on a page lies over another (a box under a button cannot
// be read or clicked where they meet).
void expectNoneOverlap(QWidget* page, const char* what)
{
    std::vector<QWidget*> shown;
    for (QWidget* w : page->findChildren<QWidget*>())
        if (w->isVisible() && !w->objectName().isEmpty() && !w->objectName().startsWith(QStringLiteral("qt_")))
            shown.push_back(w);
    for (QWidget* a : shown) {
        const QRect ra(a->mapTo(page, QPoint(0, 0)), a->size());
        for (QWidget* b : shown) {
            if (a >= b || a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            const QRect rb(b->mapTo(page, QPoint(0, 0)), b->size());
            EXPECT_FALSE(ra.intersects(rb)) << what << ": " << a->objectName().toStdString() << " and "
                                            << b->objectName().toStdString();
        }
    }
}

// The picture's description is a sentence: it lies under the question text,
// as wide, whatever the window's size.
void expectDescriptionUnderTheQuestionText(QWidget* page, const char* what)
{
    auto* title = page->findChild<QPlainTextEdit*>(QStringLiteral("Title"));
    auto* description = page->findChild<QLineEdit*>(QStringLiteral("qPictureDescription"));
    ASSERT_TRUE(title && description);
    const QRect t(title->mapTo(page, QPoint(0, 0)), title->size());
    const QRect d(description->mapTo(page, QPoint(0, 0)), description->size());
    EXPECT_TRUE(description->isVisible()) << what;
    EXPECT_EQ(d.left(), t.left()) << what;
    EXPECT_EQ(d.width(), t.width()) << what;
    EXPECT_GT(d.top(), t.bottom()) << what;
    EXPECT_LT(d.top() - t.bottom(), 10) << what;
}

TEST_F(WindowSizeTest, TheWindowGrowsFromTodaysSizeAndIsKeptInTheSettings)
{
    startWindow();
    QWidget* client = window->centralWidget();
    EXPECT_EQ(client->minimumSize(), QSize(MainWindow::kClientWidth, MainWindow::kClientHeight));
    EXPECT_EQ(client->size(), client->minimumSize());
    const int titleWidth = control<QPlainTextEdit>("Title")->width();
    workspace().questionList().requestSelection(workspace().currentSet(), 1);
    expectNoneOverlap(control<QWidget>("Questions"), "question page");
    expectDescriptionUnderTheQuestionText(control<QWidget>("Questions"), "question page");
    workspace().questionList().requestSelection(workspace().currentSet(), -1);

    window->resize(1400, 950);
    QCoreApplication::processEvents();
    ASSERT_GT(client->width(), 1300);
    auto* tree = control<QuestionTreeView>("TestTree");
    EXPECT_GT(tree->width(), 300);
    EXPECT_EQ(tree->height(), client->height());
    expectAllInside(client, "test details");
    tree->setCurrentIndex(workspace().questionList().nodeIndex(0, 1));
    ASSERT_EQ(control<QStackedWidget>("EditorPages")->currentWidget()->objectName(), QStringLiteral("Questions"));
    expectAllInside(client, "question");
    expectNoneOverlap(control<QWidget>("Questions"), "grown question page");
    expectDescriptionUnderTheQuestionText(control<QWidget>("Questions"), "grown question page");
    EXPECT_GT(control<QPlainTextEdit>("Title")->width(), titleWidth + 400);
    // Usable: typing in a grown box still edits the question.
    QTest::keyClicks(control<QPlainTextEdit>("Text4"), QStringLiteral("Lyon"));
    EXPECT_EQ(questionField(1, "Text4"), "Lyon");

    ui.answers = {Answer::No};
    ASSERT_TRUE(closeWindow());
    startWindow();
    EXPECT_EQ(window->size(), QSize(1400, 950));
}

}  // namespace
}  // namespace dorvel::test
