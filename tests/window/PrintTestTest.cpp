#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "tests/window/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QTimer>

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

}  // namespace
}  // namespace dorvel::test
