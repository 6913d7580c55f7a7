#include "languages/ComponentLine.h"
#include "languages/HelpTopics.h"
#include "languages/HintTexts.h"
#include "languages/LanguagePack.h"
#include "shell/Installation.h"
#include "languages/Sound.h"
#include "storage/FileUtils.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dorvel {
namespace {

using Strings = std::vector<std::string>;

TEST(ComponentLine, SplitsAtTheFirstTwoBlanks)
{
    const ComponentLine line = ParseComponentLine("TestNameLabel Caption Name of the test");
    EXPECT_EQ(line.component, "TestNameLabel");
    EXPECT_EQ(line.property, "Caption");
    EXPECT_EQ(line.value, "Name of the test");

    const ComponentLine bare = ParseComponentLine("Save1 Caption");
    EXPECT_EQ(bare.property, "Caption");
    EXPECT_EQ(bare.value, "");
    EXPECT_EQ(ParseComponentLine("Lonely").property, "");
}

TEST(ComponentLine, HintNumbers)
{
    EXPECT_EQ(HintNumber("Hint7"), 7);
    EXPECT_EQ(HintNumber("Hint49"), 49);
    EXPECT_EQ(HintNumber("Hint"), 0);
    EXPECT_EQ(HintNumber("Hintx"), 0);
    EXPECT_EQ(HintNumber("Hint120"), 120);  // a hint, but beyond the hint texts
    EXPECT_EQ(HintNumber("Caption"), std::nullopt);
}

TEST(ComponentLine, ItemsAreCutAtHashes)
{
    const struct {
        const char* value;
        Strings items;
    } cases[] = {
        {"ab#cd#efg", {"ab", "cd", "efg"}},
        {"ab#cd#ef", {"ab", "cd"}},  // a last item of two characters is dropped
        {"ab#cd#", {"ab", "cd"}},
        {"#ab#cd", {"#ab#cd"}},  // a value starting with # is one item
        {"a#b#cde", {"a", "b", "cde"}},
        {"xy", {}},
        {"One#Two#Three#", {"One", "Two", "Three"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitItems(c.value), c.items) << c.value;
}

TEST(LanguageChoice, FollowsTheSettingAmongSeveralPacks)
{
    const Strings two = {"English (UK)", "Deutsch"};
    const struct {
        Strings found;
        std::optional<std::string> setting;
        std::string current;
        bool menu;
    } cases[] = {
        {two, "Deutsch", "Deutsch", true},
        {two, "Klingon", "English (UK)", true},
        {{"Deutsch", "English (UK)"}, "Klingon", "Deutsch", true},  // the first listed, not the default
        {{"Deutsch", "English (UK)"}, std::nullopt, "English (UK)", true},
        {{"Deutsch", "English (UK)"}, "D", "English (UK)", true},  // too short to be a name
        {{"Deutsch"}, "English (UK)", "Deutsch", false},           // a single pack ignores the setting
    };
    for (const auto& c : cases) {
        const auto choice = ChooseLanguage(c.found, c.setting);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->current, c.current) << c.setting.value_or("(none)");
        EXPECT_EQ(choice->menuVisible, c.menu);
    }
    EXPECT_FALSE(ChooseLanguage({}, "Deutsch"));
}

TEST(HintTexts, MatchesTheFirstEqualNumberedText)
{
    HintTexts hints;
    EXPECT_TRUE(hints.set(0, "Zero"));
    EXPECT_TRUE(hints.set(7, "Type the test name"));
    EXPECT_TRUE(hints.set(9, "Type the test name"));
    EXPECT_FALSE(hints.set(50, "x"));
    EXPECT_EQ(hints.match("Type the test name"), 7);
    EXPECT_EQ(hints.match("Zero"), 0);  // text 0 is never matched
    EXPECT_EQ(hints.match(""), 0);
    EXPECT_EQ(hints.match("Other"), 0);
}

class AudioMessagesTest : public ::testing::Test {
protected:
    void SetUp() override { SetInstallationFolder(folder.path()); }
    void TearDown() override { SetInstallationFolder({}); }
    std::string sound(const std::string& name, const std::string& bytes)
    {
        return folder.write("DVSounds/" + name, bytes);
    }
    static std::string wav() { return std::string("RIFF\x24\0\0\0WAVEfmt ", 16); }
    static std::string mp3() { return std::string("\xFF\xF3\x44\xC4 frames", 10); }

    test::TempFolder folder;
    test::RecordingSoundPlayer player;
    AudioMessages audio{&player};
};

TEST_F(AudioMessagesTest, AnnouncingRemembersTheKeyAndPlaysOnlyWhenSwitchedOn)
{
    const std::string s19 = sound("s19.wav", wav());
    audio.AnnounceMessage("s19");
    EXPECT_EQ(audio.lastMessageKey(), "s19");
    EXPECT_TRUE(player.opened.empty());

    audio.PlayLastAudioMessageExecute();  // F2 speaks it although messages are off
    audio.PlayLastAudioMessageExecute();  // and again from the start
    EXPECT_EQ(player.opened, (Strings{s19, s19}));
    EXPECT_EQ(player.plays, 2);

    audio.setPlayMessages(true);
    audio.AnnounceMessage("s19");
    EXPECT_EQ(player.opened.size(), 3u);
}

TEST_F(AudioMessagesTest, ChoosesTheRecordingByExtensionAndSignature)
{
    const std::string mp3File = sound("s22.mp3", mp3());
    sound("s22.wav", wav());
    sound("s23.mp3", wav());  // not an mp3 inside: never played
    sound("s24.wav", wav());
    audio.PlayMessage("s22");
    audio.PlayMessage("s23");
    audio.PlayMessage("s24");
    audio.PlayMessage("s25");  // no recording
    audio.PlayMessage("s2");   // too short to be a key
    EXPECT_EQ(player.opened, (Strings{mp3File, folder.path("DVSounds/s24.wav")}));
    EXPECT_EQ(audio.lastMessageKey(), "");  // playing is not announcing
}

TEST_F(AudioMessagesTest, AHintOfThePackBecomesTheLastMessage)
{
    HintTexts hints;
    hints.set(7, "Type the name of the test");
    const std::string hint7 = sound("Hint7.wav", wav());
    audio.AnnounceMessage("s19");
    audio.HintShown("Something else", hints);
    EXPECT_EQ(audio.lastMessageKey(), "s19");
    audio.HintShown("Type the name of the test", hints);
    EXPECT_EQ(audio.lastMessageKey(), "Hint7");
    EXPECT_TRUE(player.opened.empty());  // resting on a control plays nothing
    audio.PlayLastAudioMessageExecute();
    EXPECT_EQ(player.opened, Strings{hint7});
}

TEST(AudioMessagesWithoutPlayer, StillRecordsTheKey)
{
    AudioMessages audio(nullptr);
    audio.setPlayMessages(true);
    audio.AnnounceMessage("s19");
    audio.PlayLastAudioMessageExecute();
    EXPECT_EQ(audio.lastMessageKey(), "s19");
}

TEST(HelpTopics, FindsPagesOnlyInsideTheHelpFolder)
{
    test::TempFolder folder;
    SetInstallationFolder(folder.path());
    EXPECT_FALSE(HelpAvailable());
    const std::string contents = folder.write("DVHelp/LinksDV.html", "<html></html>");
    folder.write("secret.htm", "x");
    EXPECT_TRUE(HelpAvailable());
    EXPECT_EQ(HelpTopicFile("::/LinksDV.html"), contents);
    EXPECT_EQ(HelpTopicFile("LinksDV.html#top"), contents);
    EXPECT_EQ(HelpTopicFile("::/S08Start.htm"), "");
    EXPECT_EQ(HelpTopicFile("::/../secret.htm"), "");
    EXPECT_EQ(HelpTopicFile("::/"), "");
    SetInstallationFolder({});
}

// A language's guide where it has one, page by page; English otherwise.
TEST(HelpTopics, ThePagesOfTheChosenLanguage)
{
    test::TempFolder folder;
    SetInstallationFolder(folder.path());
    const std::string english = folder.write("DVHelp/LinksDV.html", "<html></html>");
    const std::string englishOnly = folder.write("DVHelp/G09Keys.htm", "<html></html>");
    const std::string german = folder.write("DVHelp/Deutsch/LinksDV.html", "<html></html>");
    folder.write("DVHelp/Halb/G09Keys.htm", "<html></html>");  // no contents page: no guide
    EXPECT_EQ(HelpTopicFile("::/LinksDV.html", "Deutsch"), german);
    EXPECT_EQ(HelpTopicFile("::/G09Keys.htm", "Deutsch"), englishOnly);
    EXPECT_EQ(HelpTopicFile("::/LinksDV.html", "Français"), english);
    EXPECT_EQ(HelpTopicFile("::/G09Keys.htm", "Halb"), englishOnly);
    EXPECT_EQ(HelpTopicFile("::/LinksDV.html", ".."), english);
    EXPECT_EQ(HelpFolder("Deutsch"), folder.path("DVHelp/Deutsch/"));
    EXPECT_EQ(HelpFolder("English (UK)"), folder.path("DVHelp/"));
    SetInstallationFolder({});
}

TEST(HandOverFolder, IsTheInstallationUnlessTheUserCannotWriteThere)
{
    test::TempFolder folder;
    SetInstallationFolder(folder.path());
    EXPECT_EQ(HandOverFolder(), InstallationFolder());

    // A system-wide installation the user may not write to: files go to a
    // folder of the user's own, the same for every program of the user.
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", folder.path("data").c_str());
    SetInstallationFolder(folder.path("not-there"));
    EXPECT_EQ(HandOverFolder(), folder.path("data/Dorvel") + "/");
    EXPECT_TRUE(DirectoryExists(HandOverFolder()));
    qputenv("XDG_DATA_HOME", saved);
    SetInstallationFolder({});
}

}  // namespace
}  // namespace dorvel
