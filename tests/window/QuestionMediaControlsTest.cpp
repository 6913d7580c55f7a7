// The question page's Picture and Sound controls, driven as the author
// drives them: the dialog, a refused file, a file dropped from the desktop
// onto the question text, playing and removing.
#include "editor/Workspace.h"
#include "editor/QuestionListModel.h"
#include "storage/TextCodec.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/TestMedia.h"
#include "tests/window/WindowFixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
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

}  // namespace
}  // namespace dorvel::test
