// A question's picture and sound in the set and in the editor's operations:
// the fields, moving a set with its media folder, choosing, refusing,
// removing and dropping files.
#include "editor/QuestionMediaEditing.h"
#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "media/QuestionMedia.h"
#include "model/DefaultRecords.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMedia.h"

#include <QDir>

#include <gtest/gtest.h>

namespace dorvel {
namespace {

using test::ScriptedUserInterface;
using test::TempFolder;

void ApplyMediaTexts(LangStrings& lang)
{
    std::string pack;
    ASSERT_TRUE(ReadFileBytes(std::string(DORVEL_SOURCE_DIR) + "/data/lang/English (UK)/48-media.lines", pack));
    lang.applyPack(pack);
}

class QuestionMediaTest : public ::testing::Test {
protected:
    QuestionMediaTest()
        : workspace(ui, lang)
    {
        ApplyMediaTexts(lang);
        ForceDirectory(dir.path("Lesson/Bilder und Töne"));
        map = test::MakePicture(dir.path("Lesson/Bilder und Töne/Karte der Flüsse.png"), 400, 300);
        sound = test::MakeSound(dir.path("Lesson/Bilder und Töne/Frage 1.ogg"));
    }

    // A new set saved as Lesson/Rivers.vtd, its first question shown.
    void newSavedSet()
    {
        ASSERT_TRUE(workspace.NewSet());
        workspace.TestTreeChange(workspace.currentSet(), 1);
        ui.saveChoices.push_back(dir.path("Lesson/Rivers.vtd"));
        ASSERT_TRUE(workspace.SaveTest());
        workspace.TestTreeChange(workspace.currentSet(), 1);
    }
    std::string question() { return workspace.current()->questionSlots[1]; }
    int changes() { return workspace.current()->changeCount; }

    ScriptedUserInterface ui;
    LangStrings lang;
    Workspace workspace;
    TempFolder dir;
    std::string map;
    std::string sound;
};

TEST_F(QuestionMediaTest, OlderQuestionsNameNothingAndStayAsTheyAre)
{
    const std::string old = DefaultQuestionRecord();
    for (const MediaKind kind : {MediaKind::Picture, MediaKind::Sound}) {
        EXPECT_EQ(NamedQuestionMedia(old, kind), "");
        EXPECT_FALSE(ResolveQuestionMedia(old, kind, dir.path("a.vtd")).named);
        EXPECT_EQ(WithoutQuestionMedia(old, kind), old) << "removing nothing must not add fields";
    }
    EXPECT_EQ(WithMediaRelativeTo(old, dir.path("a.vtd"), dir.path("b/a.vtd")), old);
}

TEST_F(QuestionMediaTest, ChosenFilesAreNamedAbsoluteAndRelativeAndReadByOlderReaders)
{
    newSavedSet();
    ui.openChoices.push_back({map});
    ASSERT_TRUE(ChooseQuestionMedia(workspace, ui, lang, MediaKind::Picture));
    // The dialog offers only what browsers show.
    ASSERT_EQ(ui.dialogs.size(), 2u);
    EXPECT_EQ(ui.dialogs.back().filter, "Pictures|*.png *.jpg *.jpeg *.gif *.webp *.svg");
    ASSERT_TRUE(TakeQuestionMedia(workspace, ui, lang, MediaKind::Sound, sound));

    EXPECT_EQ(GetTag(question(), "qPictureAbs"), EncodeText(map));
    EXPECT_EQ(GetTag(question(), "qPictureRel"), "Bilder und T&#246;ne/Karte der Fl&#252;sse.png");
    EXPECT_EQ(GetTag(question(), "qSoundRel"), "Bilder und T&#246;ne/Frage 1.ogg");
    EXPECT_EQ(CurrentQuestionMedia(workspace, MediaKind::Picture), map);
    EXPECT_TRUE(ui.messages.empty());

    // Saved and read back, every field a reader knew before is as it was.
    ASSERT_TRUE(workspace.SaveTest());
    OpenSet read;
    ASSERT_EQ(ReadSetFile(dir.path("Lesson/Rivers.vtd"), read), SetFileStatus::Ok);
    const std::string q = read.questionSlots[1];
    for (const char* field : {"qType", "qDisabled", "Title", "Text1", "SelectAnswer", "tf1", "tType1", "a10", "a69"})
        EXPECT_EQ(GetTag(q, field), GetTag(DefaultQuestionRecord(), field)) << field;
    EXPECT_EQ(NamedQuestionMedia(q, MediaKind::Sound), sound);
    EXPECT_EQ(GetTagInt(read.testDetails, "version", 1), 1) << "the format version stays 1";
}

TEST_F(QuestionMediaTest, ASetMovedWithItsMediaFolderFindsThemAndSavesTheNewPlace)
{
    newSavedSet();
    ASSERT_TRUE(TakeQuestionMedia(workspace, ui, lang, MediaKind::Picture, map));
    ASSERT_TRUE(workspace.SaveTest());
    workspace.CloseCurrentSet();

    ASSERT_TRUE(QDir().rename(QString::fromStdString(dir.path("Lesson")), QString::fromStdString(dir.path("Moved"))));
    const std::string moved = dir.path("Moved/Bilder und Töne/Karte der Flüsse.png");
    ASSERT_TRUE(workspace.OpenSetFile(dir.path("Moved/Rivers.vtd")));
    workspace.TestTreeChange(workspace.currentSet(), 1);
    EXPECT_EQ(CurrentQuestionMedia(workspace, MediaKind::Picture), moved) << "found through the relative path";

    // Saved elsewhere: the absolute path says where the file is now, the
    // relative one leads there from the new folder.
    ForceDirectory(dir.path("Other"));
    ui.saveChoices.push_back(dir.path("Other/Copy.vtd"));
    ASSERT_TRUE(workspace.SaveTestAs());
    EXPECT_EQ(NamedQuestionMedia(question(), MediaKind::Picture), moved);
    EXPECT_EQ(DecodeText(GetTag(question(), "qPictureRel")), "../Moved/Bilder und Töne/Karte der Flüsse.png");

    // Neither path leads anywhere: nothing is found, and the name is kept.
    ASSERT_TRUE(QDir(QString::fromStdString(dir.path("Moved"))).removeRecursively());
    EXPECT_EQ(CurrentQuestionMedia(workspace, MediaKind::Picture), "");
    EXPECT_EQ(NamedQuestionMedia(question(), MediaKind::Picture), moved);
}

TEST_F(QuestionMediaTest, StepsRedoneAfterSavingElsewhereNameTheMediaFromTheNewFolder)
{
    newSavedSet();
    ASSERT_TRUE(TakeQuestionMedia(workspace, ui, lang, MediaKind::Picture, map));
    ForceDirectory(dir.path("Other"));
    ui.saveChoices.push_back(dir.path("Other/Copy.vtd"));
    ASSERT_TRUE(workspace.SaveTestAs());
    const std::string saved = question();
    EXPECT_EQ(DecodeText(GetTag(saved, "qPictureRel")), "../Lesson/Bilder und Töne/Karte der Flüsse.png");
    workspace.Undo();
    EXPECT_EQ(NamedQuestionMedia(question(), MediaKind::Picture), "");
    workspace.Redo();
    EXPECT_EQ(question(), saved);
    EXPECT_FALSE(workspace.set(workspace.currentSet()).hasUnsavedChanges());
}

TEST_F(QuestionMediaTest, RefusedFilesLeaveTheQuestionAsItWasAndSayWhy)
{
    newSavedSet();
    const int before = changes();
    const std::string record = question();
    struct Case {
        std::string path;
        MediaKind kind;
        const char* reason;
    };
    const Case cases[] = {
        {dir.write("notes.png", "not a picture"), MediaKind::Picture, "damaged, or renamed"},
        {dir.write("old.bmp", "BM"), MediaKind::Picture, "not a PNG, JPEG, GIF, WebP or SVG picture"},
        {map, MediaKind::Sound, "not a WAV, MP3 or OGG sound"},
        {dir.path("gone.png"), MediaKind::Picture, "cannot be found"},
        {test::MakePicture(dir.path("huge.gif"), 8001, 2), MediaKind::Picture, "8000 × 8000 pixels"},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        EXPECT_FALSE(TakeQuestionMedia(workspace, ui, lang, c.kind, c.path)) << c.path;
        ASSERT_EQ(ui.messages.size(), 1u) << c.path;
        EXPECT_NE(ui.messages[0].find(c.path), std::string::npos) << ui.messages[0];
        EXPECT_NE(ui.messages[0].find(c.reason), std::string::npos) << ui.messages[0];
    }
    EXPECT_EQ(question(), record);
    EXPECT_EQ(changes(), before);
}

TEST_F(QuestionMediaTest, RemovingAndDroppingGoThroughTheSameChecks)
{
    newSavedSet();
    // A dropped file is taken by its kind; a text file is refused.
    EXPECT_TRUE(DropQuestionMedia(workspace, ui, lang, {map, sound}));
    EXPECT_EQ(NamedQuestionMedia(question(), MediaKind::Picture), map);
    EXPECT_TRUE(DropQuestionMedia(workspace, ui, lang, {sound}));
    EXPECT_EQ(NamedQuestionMedia(question(), MediaKind::Sound), sound);
    EXPECT_FALSE(DropQuestionMedia(workspace, ui, lang, {dir.write("list.txt", "rivers")}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("list.txt"), std::string::npos);

    const int before = changes();
    EXPECT_TRUE(RemoveQuestionMedia(workspace, MediaKind::Picture));
    EXPECT_EQ(GetTag(question(), "qPictureAbs"), "0");
    EXPECT_EQ(GetTag(question(), "qPictureRel"), "0");
    EXPECT_EQ(NamedQuestionMedia(question(), MediaKind::Sound), sound) << "the sound stays";
    EXPECT_EQ(changes(), before + 1);
    RemoveQuestionMedia(workspace, MediaKind::Picture);
    EXPECT_EQ(changes(), before + 1) << "removing what is gone is no change";

    // Nothing is taken while the test details are shown.
    workspace.TestTreeChange(workspace.currentSet(), -1);
    EXPECT_FALSE(TakeQuestionMedia(workspace, ui, lang, MediaKind::Picture, map));
}

// The author's words for the picture, whatever they hold, are stored as text:
// nothing in them can form an element of the record (where a reader of any
// age would take it for a field), and they read back as the one line typed.
TEST_F(QuestionMediaTest, ADescriptionIsStoredAsTextThatNoReaderTakesForMarkup)
{
    newSavedSet();
    EXPECT_FALSE(DescribeQuestionPicture(workspace, "a map")) << "no picture to describe";
    EXPECT_EQ(question().find(kQuestionPictureDescriptionField), std::string::npos);
    ASSERT_TRUE(TakeQuestionMedia(workspace, ui, lang, MediaKind::Picture, map));
    const std::string withPicture = question();

    struct Case {
        const char* typed;
        const char* read;
    };
    const Case cases[] = {
        {"\"><img src=x onerror=alert(1)>", "\"><img src=x onerror=alert(1)>"},
        {"</qPictureDescription><qPictureAbs>/etc/passwd</qPictureAbs></script>",
         "</qPictureDescription><qPictureAbs>/etc/passwd</qPictureAbs></script>"},
        {"  Karte der Flüsse:\r\n Donau   und\tRhein\n", "Karte der Flüsse: Donau und Rhein"},
        {"Q&A &amp; &#233; £ €", "Q&A &amp; &#233; £ €"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(DescribeQuestionPicture(workspace, c.typed));
        const std::string stored = GetTag(question(), kQuestionPictureDescriptionField);
        EXPECT_EQ(stored.find_first_of("<>\r\n"), std::string::npos) << stored;
        EXPECT_EQ(QuestionPictureDescription(question()), c.read);
        EXPECT_EQ(NamedQuestionMedia(question(), MediaKind::Picture), map);
        EXPECT_EQ(GetTag(question(), "qPictureAbs"), GetTag(withPicture, "qPictureAbs"));
    }

    // Saved and read back: the description, and every field as it was.
    ASSERT_TRUE(DescribeQuestionPicture(workspace, cases[1].typed));
    ASSERT_TRUE(workspace.SaveTest());
    OpenSet read;
    ASSERT_EQ(ReadSetFile(dir.path("Lesson/Rivers.vtd"), read), SetFileStatus::Ok);
    ASSERT_EQ(read.questionCount(), 1);
    EXPECT_EQ(QuestionPictureDescription(read.questionSlots[1]), cases[1].read);
    EXPECT_EQ(RemoveTag(read.questionSlots[1], kQuestionPictureDescriptionField), withPicture);

    // Emptied, the field goes; without its picture, so does the description.
    ASSERT_TRUE(DescribeQuestionPicture(workspace, "  \r\n "));
    EXPECT_EQ(question(), withPicture);
    ASSERT_TRUE(DescribeQuestionPicture(workspace, "a map"));
    ASSERT_TRUE(RemoveQuestionMedia(workspace, MediaKind::Picture));
    EXPECT_EQ(question().find(kQuestionPictureDescriptionField), std::string::npos);
}

}  // namespace
}  // namespace dorvel
