#include "bank/BankLists.h"
#include "bank/BankReader.h"
#include "bank/ExportLists.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/building/FixtureInstallation.h"
#include "tests/support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace dorvel {
namespace {

using test::FixtureInstallation;
using test::ScriptedUserInterface;

std::string Q(const std::string& content)
{
    return "<vtQuestion>" + content + "</vtQuestion>";
}

class BankListsTest : public ::testing::Test {
protected:
    std::string build(const std::string& questions, const std::string& preTest = {})
    {
        return BuildBankLists(lists, ui, questions, preTest, install.styleFolder());
    }
    std::vector<std::string> questions() const { return BankReader::NumberedRecords(lists.questionFileList); }
    std::string button() const { return install.path("Buttons/"); }

    FixtureInstallation install;
    ScriptedUserInterface ui;
    ExportLists lists;
};

TEST_F(BankListsTest, QuestionWithoutMediaStillCarriesTickAndCross)
{
    EXPECT_EQ(build(Q("<Title>t</Title>")), "0");
    EXPECT_EQ(lists.foundFiles, (std::vector<std::string>{button() + "tick.gif", button() + "cross.gif"}));
    EXPECT_EQ(lists.startOffsets, (std::vector<std::int64_t>{-1, -1}));
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(GetTag(questions()[0], "exeBase"), button());
}

TEST_F(BankListsTest, NoQuestionsLeaveTheListsEmpty)
{
    lists.foundFiles.push_back("left over from the last command");
    EXPECT_EQ(build(""), "0");
    EXPECT_TRUE(lists.foundFiles.empty());
    EXPECT_TRUE(lists.questionFileList.empty());
}

TEST_F(BankListsTest, ReferencesResolveAbsoluteThenRelative)
{
    const std::string elsewhere = install.writeFile("pics/photo.jpg", "JPEG");
    install.writeFile("DorvelTemplates/Plain/sub/sound.wav", "RIFF");
    const std::string q = Q("<questionAudioAbs>C:\\Old\\sound.wav</questionAudioAbs>"
                            "<questionAudioRel>sub\\sound.wav</questionAudioRel>"
                            "<vtPicture><picFilePathAbs>"
                            + elsewhere + "</picFilePathAbs><picOverFilePathAbs>0"
                                          "</picOverFilePathAbs><picDownFilePathRel>nowhere.gif</picDownFilePathRel></vtPicture>"
                                          "<vtPicture><picFilePathAbs>"
                            + elsewhere + "</picFilePathAbs></vtPicture>");
    const std::string status = build(q);
    const std::string repaired = install.styleFolder() + "sub/sound.wav";
    const std::string missing = install.styleFolder() + "nowhere.gif";
    EXPECT_EQ(status, "mf" + missing + "\r\n");
    // The same picture twice is one entry; "0" and absent fields add nothing.
    EXPECT_EQ(lists.foundFiles, (std::vector<std::string>{button() + "tick.gif", button() + "cross.gif", repaired, elsewhere}));
    EXPECT_EQ(lists.missingFiles, std::vector<std::string>{missing});
    // A path that only resolved relative to the template folder is written back.
    EXPECT_EQ(GetTag(questions()[0], "questionAudioAbs"), repaired);
}

TEST_F(BankListsTest, BackgroundIsRepairedInPlaceAndButtonsByTheirKind)
{
    install.writeFile("DorvelTemplates/Plain/choice.gif", "GIF");
    install.writeFile("DorvelTemplates/Plain/tf.gif", "GIF");
    const std::string q = Q("<vtButton><buttonType>0</buttonType><s1r>choice.gif</s1r><tf1r>tf.gif</tf1r></vtButton>"
                            "<vtButton><buttonType>1</buttonType><s1>0</s1><tf1r>tf.gif</tf1r></vtButton>"
                            "<vtBackground><bgFilePathAbs>C:\\x\\bg.bmp</bgFilePathAbs>"
                            "<bgFilePathRel>bg.bmp</bgFilePathRel></vtBackground>");
    build(q);
    const std::string out = questions().at(0);
    EXPECT_EQ(GetTag(GetTag(out, "vtBackground"), "bgFilePathAbs"), install.styleFolder() + "bg.bmp");
    // A choice button uses s1..s3 only, a true/false button tf1..tf7 only; so
    // the choice button's tf1r and the other button's s1r are never missed.
    EXPECT_TRUE(lists.missingFiles.empty()) << lists.missingFiles.front();
    EXPECT_EQ(GetTag(out, "s1"), install.styleFolder() + "choice.gif");
    EXPECT_EQ(GetTag(out, "exeButtonPath"), button());
}

TEST_F(BankListsTest, RecordsMoveToTheEndInOrderAndTinyOnesAreDropped)
{
    const std::string q = Q("<a>1</a><vtDrag><id>d1</id></vtDrag><b>2</b><vtPicture><id>p1</id></vtPicture>"
                            "<vtPicture>x</vtPicture><vtPicture><id>p2</id></vtPicture><c>3</c>");
    build(q);
    const std::string out = questions().at(0);
    EXPECT_EQ(out, "<exeBase>" + button() + "</exeBase> <a>1</a><b>2</b><c>3</c>"
                                            "<vtPicture><id>p1</id></vtPicture><vtPicture><id>p2</id></vtPicture>"
                                            "<vtDrag><id>d1</id></vtDrag>");
}

TEST_F(BankListsTest, BothListsAreNumberedFromZero)
{
    build(Q("<n>a</n>") + Q("<n>b</n>") + Q("<n>c</n>"), Q("<n>pre</n>"));
    EXPECT_EQ(lists.preTestFileList.rfind("<questionFile0>", 0), 0u);
    const auto qs = questions();
    ASSERT_EQ(qs.size(), 3u);
    EXPECT_EQ(GetTag(qs[2], "n"), "c");
    EXPECT_NE(lists.questionFileList.find("</questionFile2>\r\n"), std::string::npos);
}

TEST_F(BankListsTest, MediaThatAreNoRegularFilesCountAsMissing)
{
    // A device would fill the disk, a FIFO would hang the build.
    const std::string fifo = install.path("DorvelTemplates/Plain/pipe.gif");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string q = Q("<vtPicture><picFilePathAbs>/dev/zero</picFilePathAbs></vtPicture>"
                            "<vtPicture><picFilePathAbs>"
                            + fifo + "</picFilePathAbs></vtPicture>"
                                     "<vtPicture><picFilePathRel>pipe.gif</picFilePathRel></vtPicture>"
                                     "<vtPicture><picFilePathAbs>"
                            + install.path("Buttons") + "</picFilePathAbs></vtPicture>");
    EXPECT_EQ(build(q).rfind("mf", 0), 0u);
    EXPECT_EQ(lists.foundFiles, (std::vector<std::string>{button() + "tick.gif", button() + "cross.gif"}));
    EXPECT_EQ(lists.missingFiles.size(), 2u);  // the FIFO by its two paths are one
}

TEST(AddMediaFile, ShortPathsRepeatsAndTheLimit)
{
    ExportLists lists;
    AddMediaFile(lists, true, "a");
    AddMediaFile(lists, true, "ab");
    AddMediaFile(lists, true, "ab");
    AddMediaFile(lists, false, "ab");
    EXPECT_EQ(lists.foundFiles, std::vector<std::string>{"ab"});
    EXPECT_EQ(lists.missingFiles, std::vector<std::string>{"ab"});
    for (int i = 0; i < 2100; ++i)
        AddMediaFile(lists, true, "file" + std::to_string(i));
    EXPECT_EQ(lists.foundFiles.size(), ExportLists::kMaxFiles);
    EXPECT_EQ(lists.startOffsets.size(), ExportLists::kMaxFiles);
}

TEST(StripBackslashes, KeepsEverythingElse)
{
    EXPECT_EQ(StripBackslashes("C:\\My Pics\\a.b.gif"), "C:My Picsa.b.gif");
    EXPECT_EQ(StripBackslashes("/home/x/a.gif"), "/home/x/a.gif");
}

}  // namespace
}  // namespace dorvel
