#include "languages/HelpTopics.h"
#include "shell/Installation.h"
#include "languages/Sound.h"
#include "shell/ui/HelpBrowser.h"
#include "shell/ui/MediaSoundPlayer.h"
#include "storage/FileUtils.h"
#include "tests/languages/LanguageWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QAudioDevice>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMediaDevices>
#include <QMenu>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace dorvel::test {
namespace {

class SpokenMessagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSettings();
        PresetSetting(QStringLiteral("firstLaunch"), 0);
    }
    void TearDown() override
    {
        window.reset();
        ResetSettings();
    }

    LanguageInstallation install;
    ScriptedUserInterface ui;
    std::unique_ptr<MainWindow> window;
};

TEST_F(SpokenMessagesTest, TheWindowsOwnMessagesAreAnnounced)
{
    // Without a scripted interface the window answers with its own dialogs;
    // every message they show is announced.
    window = std::make_unique<MainWindow>();
    window->ui().announce("s19");
    EXPECT_EQ(window->lastMessageKey(), "s19");
}

TEST_F(SpokenMessagesTest, TheAudioMessagesItemSwitchesAndIsRemembered)
{
    window = StartWindow(ui);
    QAction* item = window->findChild<QAction*>(QStringLiteral("AudioMessages"));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(window->audio().playMessages());
    EXPECT_EQ(StoredSetting(QStringLiteral("playMessages")).toInt(), 1);
    window.reset();

    window = StartWindow(ui);
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("AudioMessages"))->isChecked());
    EXPECT_TRUE(window->audio().playMessages());
}

TEST_F(SpokenMessagesTest, AHintOnScreenBecomesTheLastMessage)
{
    window = StartWindow(ui);
    window->ui().announce("s19");
    window->AnnounceMessage("s19");
    auto* name = window->findChild<QLineEdit*>(QStringLiteral("TestName"));
    ASSERT_NE(name, nullptr);
    QHelpEvent hover(QEvent::ToolTip, QPoint(4, 4), name->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(name, &hover);
    EXPECT_EQ(window->lastMessageKey(), "Hint2");
    EXPECT_NE(SoundFileForKey("Hint2"), "");
    // Hints show after the mouse rests two seconds and stay twelve.
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 2000);
    EXPECT_EQ(name->toolTipDuration(), 12000);

    // Menu items show their hints in the status line.
    QAction* save = window->findChild<QAction*>(QStringLiteral("Save1"));
    auto* file = window->findChild<QMenu*>(QStringLiteral("File1"));
    QStatusTipEvent tip(save->statusTip());
    QApplication::sendEvent(file, &tip);
    EXPECT_EQ(window->lastMessageKey(), "Hint25");

    // A hint that is not one of the pack's numbered hints leaves it.
    name->setToolTip(QStringLiteral("Something of our own"));
    QApplication::sendEvent(name, &hover);
    EXPECT_EQ(window->lastMessageKey(), "Hint25");
}

TEST(MediaSoundPlayerTest, WithoutASoundDeviceItStaysSilent)
{
    // Offscreen test machines have no sound device.
    MediaSoundPlayer player;
    const std::string file = JoinPath(DORVEL_BUILD_INSTALL_DIR, "DVSounds/s19.wav");
    ASSERT_TRUE(FileExists(file));
    if (!QMediaDevices::defaultAudioOutput().isNull())
        GTEST_SKIP() << "this machine has a sound device";
    EXPECT_FALSE(player.open(file));
    EXPECT_FALSE(player.play());
    EXPECT_EQ(player.status(), SoundMode::None);
}

TEST(MediaSoundPlayerTest, PlaysOneSoundAtATimeWithoutWaiting)
{
    MediaSoundPlayer player(MediaSoundPlayer::Device::Optional);
    const std::string s19 = JoinPath(DORVEL_BUILD_INSTALL_DIR, "DVSounds/s19.wav");
    const std::string s20 = JoinPath(DORVEL_BUILD_INSTALL_DIR, "DVSounds/s20.wav");
    EXPECT_FALSE(player.open(JoinPath(DORVEL_BUILD_INSTALL_DIR, "DVSounds/none.wav")));
    EXPECT_EQ(player.status(), SoundMode::None);

    ASSERT_TRUE(player.open(s19));
    EXPECT_EQ(player.status(), SoundMode::Open);
    EXPECT_TRUE(player.play());  // returns at once; the sound goes on
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.status() == SoundMode::Playing; }, 10000));
    EXPECT_TRUE(player.play());  // again from the start

    // The next sound closes the one still playing.
    ASSERT_TRUE(player.open(s20));
    EXPECT_EQ(player.source(), toQString(s20));
    EXPECT_TRUE(player.play());
    EXPECT_TRUE(player.close());
    EXPECT_EQ(player.status(), SoundMode::None);
    EXPECT_FALSE(player.stop());
}

TEST_F(SpokenMessagesTest, HelpTopicsOpenInTheHelpWindow)
{
    HelpBrowser help;
    ASSERT_TRUE(help.available());
    for (const char* topic :
         {kHelpContentsTopic, kScreenSizeTopic, kStartTopic, kStartWithTutorialTopic, kInstallationTopic}) {
        SCOPED_TRACE(topic);
        EXPECT_TRUE(help.showTopic(topic));
        ASSERT_NE(help.window(), nullptr);
        EXPECT_TRUE(help.window()->isVisible());
        EXPECT_FALSE(help.browser()->documentTitle().isEmpty());
        EXPECT_GT(help.browser()->toPlainText().size(), 200);
    }
    EXPECT_FALSE(help.showTopic("::/NoSuchPage.htm"));
    help.closeAll();
    EXPECT_FALSE(help.window()->isVisible());
}

// The first start opens the welcome beside the editor's window, not over it.
TEST_F(SpokenMessagesTest, TheHelpOpensBesideTheEditor)
{
    HelpBrowser help;
    ASSERT_TRUE(help.available());
    // The offscreen screen is 800 pixels wide: the help narrows to the room.
    const QRect editor(0, 0, 400, 200);
    ASSERT_TRUE(help.showTopicBeside("::/S08Start.htm", editor));
    EXPECT_FALSE(help.window()->geometry().intersects(editor)) << help.window()->geometry().x();
    EXPECT_EQ(help.window()->geometry().left(), 400);
    help.closeAll();
}

// The guide follows the chosen pack: German under Deutsch, and the page
// shown turns English when the author chooses English.
TEST_F(SpokenMessagesTest, TheHelpSpeaksTheChosenLanguage)
{
    PresetSetting(QStringLiteral("langchoice"), QStringLiteral("Deutsch"));
    window = StartWindow(ui);
    ASSERT_EQ(window->currentLanguage(), "Deutsch");
    QTest::keyClick(window->findChild<QWidget*>(QStringLiteral("TestName")), Qt::Key_F1);
    QTextBrowser* browser = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("HelpWindow") && w->isVisible())
            browser = w->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Dorvel-Hilfe: Inhalt"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Menüs und Tasten")));

    for (QAction* item : window->findChild<QMenu*>(QStringLiteral("LangChoices"))->actions())
        if (item->text() == QStringLiteral("English (UK)"))
            item->trigger();
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Dorvel Help: Contents"));
}

TEST_F(SpokenMessagesTest, TheFirstStartShowsTheStartTopic)
{
    ResetSettings();  // firstLaunch absent: the first start
    window = StartWindow(ui);
    QCoreApplication::processEvents();  // the welcome follows once the window is up
    const QWidget* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("HelpWindow") && w->isVisible())
            shown = w;
    ASSERT_NE(shown, nullptr);
    const auto* browser = shown->findChild<QTextBrowser*>();
    EXPECT_TRUE(browser->source().toLocalFile().endsWith(QStringLiteral("S08Start.htm")));
    EXPECT_TRUE(ui.messages.empty());
    window.reset();

    window = StartWindow(ui);  // later starts do not
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == QStringLiteral("HelpWindow") && w->isVisible());
}

}  // namespace
}  // namespace dorvel::test
