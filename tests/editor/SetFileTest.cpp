#include "editor/DefaultRecords.h"
#include "editor/OpenSet.h"
#include "editor/SetFile.h"
#include "storage/Vtutils.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvel {
namespace {

TEST(DefaultRecords, QuestionRecordHoldsEveryField)
{
    const std::string& q = DefaultQuestionRecord();
    EXPECT_EQ(GetTagInt(q, "qType", -1), 2);
    EXPECT_EQ(GetTag(q, "Title"), " ");
    EXPECT_EQ(GetTagInt(q, "SelectAnswer", 0), 0);
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(GetTag(q, "tf" + std::to_string(k)), "1");
    for (int f = 1; f <= 6; ++f)
        for (int n = 0; n <= 9; ++n)
            EXPECT_EQ(GetTag(q, "a" + std::to_string(f) + std::to_string(n)), " ");
    EXPECT_EQ(q.rfind("<qType>2</qType> <qDisabled>0</qDisabled> <Title> </Title>", 0), 0u);
    EXPECT_NE(q.find("<a19> </a19> <tType2> </tType2><a20> </a20>"), std::string::npos);
    EXPECT_EQ(q.substr(q.size() - 12), "<a69> </a69>");
}

TEST(DefaultRecords, TestDetailsHoldTheDefaults)
{
    const std::string& d = DefaultTestDetails();
    EXPECT_EQ(d.substr(0, 20), "<creator>dv1</creato");
    EXPECT_EQ(GetTag(d, "GraphicStyle"), "Default");
    EXPECT_EQ(GetTag(d, "TestName"), "0");
    EXPECT_EQ(GetTag(d, "userEntryLabel2"), "Class/Department");
    EXPECT_EQ(GetTag(d, "vtCategories"), "");
    EXPECT_EQ(GetTagInt(d, "allowPrinting", 0), 1);
}

TEST(SetFile, DatesFollowTheFixedFormats)
{
    std::tm t{};
    t.tm_year = 2002 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 3;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    t.tm_wday = 0;
    EXPECT_EQ(CreationDate(t), "20020303140509");
    EXPECT_EQ(CreationDisplayDate(t), "2:05 pm, Sunday 3 March, 2002");
    t.tm_hour = 0;
    EXPECT_EQ(CreationDisplayDate(t), "12:05 am, Sunday 3 March, 2002");
    t.tm_hour = 12;
    EXPECT_EQ(CreationDisplayDate(t), "12:05 pm, Sunday 3 March, 2002");
}

TEST(SetFile, SavedRecordBeginsWithTheSaveFieldsAndListsTheQuestions)
{
    OpenSet set;
    set.testDetails = DefaultTestDetails();
    set.questionSlots[0] = "<Title>placeholder</Title>";
    set.questionSlots[1] = "<Title>one</Title>";
    set.questionSlots[2] = "<Title>two</Title>";
    set.questionSlots[4] = "<Title>after a gap: never written</Title>";
    const std::string text = PrepareSetFileText(set, 0);
    EXPECT_EQ(text.rfind("<vtDorvel><creationDisplayDate>", 0), 0u);
    const std::string files = GetTag(set.testDetails, "questionFiles");
    EXPECT_EQ(files,
              "<question0><Title>placeholder</Title></question0><question1><Title>one</Title></question1>"
              "<question2><Title>two</Title></question2>");
    EXPECT_EQ(text.find("after a gap"), std::string::npos);
}

TEST(SetFile, ReadRefusesWhatIsNoSetAndLaterVersions)
{
    test::TempFolder dir;
    OpenSet set;
    EXPECT_EQ(ReadSetFile(dir.write("plain.vtd", "<vtDorvel><TestName>x</TestName></vtDorvel>"), set),
              SetFileStatus::NotASet);
    EXPECT_TRUE(set.testDetails.empty());

    const std::string later = dir.path("later.vtd");
    ASSERT_TRUE(WriteStoredFile(later, "<vtDorvel><version>2</version></vtDorvel>"));
    EXPECT_EQ(ReadSetFile(later, set), SetFileStatus::LaterVersion);
    EXPECT_TRUE(set.testDetails.empty());

    const std::string noQuestion0 = dir.path("noq0.vtd");
    ASSERT_TRUE(WriteStoredFile(noQuestion0, "<vtDorvel><version>1</version><questionFiles><question1>"
                                             "<Title>x</Title></question1></questionFiles></vtDorvel>"));
    EXPECT_EQ(ReadSetFile(noQuestion0, set), SetFileStatus::Ok);
    EXPECT_EQ(set.questionCount(), 0);
    EXPECT_TRUE(set.questionSlots[0].empty());
}

}  // namespace
}  // namespace dorvel
