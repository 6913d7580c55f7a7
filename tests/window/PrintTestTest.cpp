#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "media/QuestionMedia.h"
#include "shell/ui/AboutBox.h"
#include "tests/window/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace dorvel::test {
namespace {

class PrintTestTest : public WindowTest {};

// File > Print Test... previews the set's paper test with the key check box;
// ticking it lays the pages out again.
TEST_F(PrintTestTest, PreviewShowsTheTestAndTheKeyCheckBox)
{
    startWindow();
    workspace().questionList().requestSelection(0, 1);
    control<QPlainTextEdit>("Title")->setPlainText(QStringLiteral("Capital of France?"));
    int pages = 0;
    int pagesWithKey = 0;
    QString keyCaption;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QStringLiteral("PrintTestDialog"));
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        auto* key = dialog->findChild<QCheckBox*>(QStringLiteral("PrintAnswerKey"));
        if (preview && key) {
            pages = preview->pageCount();
            keyCaption = key->text();
            key->setChecked(true);
            pagesWithKey = preview->pageCount();
        }
        dialog->reject();
    });
    control<QAction>("PrintTestM")->trigger();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(pagesWithKey, 1);
    EXPECT_TRUE(keyCaption.startsWith(QStringLiteral("Print the answer key"))) << keyCaption.toStdString();
}

// A picture the paper leaves out is named with its reason once the preview
// closes, as the command line names it.
TEST_F(PrintTestTest, APictureLeftOutIsNamedWithItsReason)
{
    startWindow();
    workspace().questionList().requestSelection(0, 1);
    control<QPlainTextEdit>("Title")->setPlainText(QStringLiteral("Capital of France?"));
    std::string& record = workspace().current()->questionSlots[1];
    record = WithQuestionMedia(record, MediaKind::Picture, "/nonexistent/gone.png", {});
    QString said;
    // The preview first, then the message once the preview has closed.
    int tries = 0;
    std::function<void()> answer = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            said = box->text();
            box->accept();
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        if (++tries < 500)
            QTimer::singleShot(10, answer);
    };
    QTimer::singleShot(0, answer);
    control<QAction>("PrintTestM")->trigger();
    EXPECT_TRUE(said.contains(QStringLiteral("The picture /nonexistent/gone.png is not printed. It cannot be found")))
        << said.toStdString();
}

// Ctrl+P, the desktop's print key, prints the test; no menu item prints a
// picture of the window.
TEST_F(PrintTestTest, CtrlPOpensPrintTest)
{
    startWindow();
    window->aboutBox().endSplash();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = dialog->objectName();
            dialog->close();
        }
    });
    // The welcome help opens beside the window at a first start and takes the activation.
    QApplication::setActiveWindow(window.get());
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
    QTest::keySequence(target, QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(opened, QStringLiteral("PrintTestDialog"));
    EXPECT_EQ(control<QAction>("PrintTestM")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("Print1")), nullptr);
}

}  // namespace
}  // namespace dorvel::test
