// The question page's Picture and Sound controls, driven as the author
// drives them: the dialog, a refused file, a file dropped from the desktop
// onto the question text, playing and removing; the picture's description
// typed, undone and redone.
#include "editor/Workspace.h"
#include "editor/QuestionListModel.h"
#include "storage/TextCodec.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/TestMedia.h"
#include "shell/ui/MainMenu.h"
#include "tests/window/WindowFixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

namespace dorvel::test {
namespace {

class QuestionMediaControlsTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        startWindow();
        auto player = std::make_unique<RecordingSoundPlayer>();
        sound = player.get();
        window->setSoundPlayer(std::move(player));
        workspace().questionList().requestSelection(workspace().currentSet(), 1);
        ASSERT_EQ(workspace().currentQuestion(), 1);
    }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    QLabel* thumbnail() { return control<QLabel>("QuestionPicture"); }

    RecordingSoundPlayer* sound = nullptr;
};

TEST_F(QuestionMediaControlsTest, ChooseRefuseDropPlayAndRemove)
{
    const std::string wide = MakePicture(dir.path("Karte der Flüsse.png"), 400, 100);
    const std::string tone = MakeSound(dir.path("Frage eins.wav"));

    ui.openChoices.push_back({wide});
    click("ChoosePictureButton");
    ASSERT_FALSE(ui.dialogs.empty());
    EXPECT_NE(ui.dialogs.back().filter.find("*.webp *.svg"), std::string::npos);
    EXPECT_EQ(DecodeText(questionField(1, "qPictureAbs")), wide);
    const QPixmap shown = thumbnail()->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_LE(shown.width(), thumbnail()->width());
    EXPECT_NEAR(double(shown.width()) / shown.height(), 4.0, 0.3) << "the thumbnail keeps the proportions";
    EXPECT_TRUE(control<QToolButton>("RemovePictureButton")->isEnabled());
    EXPECT_FALSE(control<QToolButton>("PlaySoundButton")->isEnabled());

    // A text file named as a picture: refused with the reason, nothing changes.
    ui.openChoices.push_back({dir.write("notes.png", "just text")});
    const int changes = workspace().current()->changeCount;
    click("ChoosePictureButton");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("notes.png"), std::string::npos);
    EXPECT_EQ(DecodeText(questionField(1, "qPictureAbs")), wide);
    EXPECT_EQ(workspace().current()->changeCount, changes);

    // A sound dropped on the question text is taken; the text stays as typed.
    const std::string title = questionField(1, "Title");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(tone))});
    QWidget* target = control<QPlainTextEdit>("Title")->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(DecodeText(questionField(1, "qSoundAbs")), tone);
    EXPECT_EQ(questionField(1, "Title"), title);
    EXPECT_EQ(control<QLabel>("QuestionSoundName")->text(), QStringLiteral("Frage eins.wav"));

    click("PlaySoundButton");
    EXPECT_EQ(sound->opened, std::vector<std::string>{tone});
    EXPECT_EQ(sound->plays, 1);

    click("RemovePictureButton");
    EXPECT_EQ(questionField(1, "qPictureAbs"), "0");
    EXPECT_TRUE(thumbnail()->pixmap().isNull());
    EXPECT_FALSE(control<QToolButton>("RemovePictureButton")->isEnabled());
    click("RemoveSoundButton");
    EXPECT_EQ(questionField(1, "qSoundAbs"), "0");
    EXPECT_FALSE(control<QToolButton>("PlaySoundButton")->isEnabled());
}

TEST_F(QuestionMediaControlsTest, TheDescriptionIsOpenWhileAPictureIsNamedAndTypingIsOneUndoStep)
{
    auto* box = control<QLineEdit>("qPictureDescription");
    EXPECT_FALSE(box->isEnabled()) << "nothing to describe";
    EXPECT_EQ(box->placeholderText(), QStringLiteral("Description"));
    EXPECT_EQ(box->accessibleName(), QStringLiteral("Description of the picture"));
    EXPECT_NE(box->toolTip().indexOf(QStringLiteral("cannot see it")), -1) << "the hint says what to write";

    ui.openChoices.push_back({MakePicture(dir.path("Donau.png"), 300, 200)});
    click("ChoosePictureButton");
    ASSERT_TRUE(box->isEnabled());
    EXPECT_EQ(box->text(), QString());

    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("Map: the Danube \"flows\" <east>"));
    EXPECT_EQ(DecodeText(questionField(1, "qPictureDescription")), "Map: the Danube \"flows\" <east>");

    QAction* undo = MainMenu::item(*window, MenuCommand::Undo);
    QAction* redo = MainMenu::item(*window, MenuCommand::Redo);
    ASSERT_TRUE(undo && redo);
    undo->trigger();  // typing on is one step
    EXPECT_EQ(questionField(1, "qPictureDescription"), "");
    EXPECT_EQ(box->text(), QString());
    EXPECT_FALSE(questionField(1, "qPictureAbs").empty()) << "only the typing is undone";
    redo->trigger();
    EXPECT_EQ(box->text(), QStringLiteral("Map: the Danube \"flows\" <east>"));

    // Without its picture the question keeps no description; undone, both are back.
    click("RemovePictureButton");
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(questionField(1, "qPictureDescription"), "");
    undo->trigger();
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(box->text(), QStringLiteral("Map: the Danube \"flows\" <east>"));
}

}  // namespace
}  // namespace dorvel::test
