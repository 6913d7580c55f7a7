// The pass mark: a test-details field that older sets lack and older readers
// pass over, and the command line's --pass-mark.
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "model/PassMark.h"
#include "model/SetFile.h"
#include "storage/Vtutils.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvel {
namespace {

TEST(PassMark, OlderSetsHaveNoneAndAnythingButAPercentageIsNone)
{
    EXPECT_EQ(PassMarkOf(DefaultTestDetails()), 0);
    for (const auto& [stored, expected] : std::vector<std::pair<std::string, int>>{
             {"<PassMark>70</PassMark>", 70}, {"<PassMark>100</PassMark>", 100}, {"<PassMark>0</PassMark>", 0}, {"<PassMark>101</PassMark>", 0}, {"<PassMark>-5</PassMark>", 0}, {"<PassMark>seventy</PassMark>", 0}, {"<PassMark></PassMark>", 0}}) {
        EXPECT_EQ(PassMarkOf(stored + DefaultTestDetails()), expected) << stored;
    }
}

TEST(PassMark, ASavedPassMarkOpensAgainAndLeavesEveryOtherFieldAsItWas)
{
    test::TempFolder dir;
    OpenSet set;
    set.testDetails = WithPassMark(DefaultTestDetails(), 55);
    set.questionSlots[0] = set.questionSlots[1] = DefaultQuestionRecord();
    ASSERT_TRUE(WriteStoredFile(dir.path("a.vtd"), PrepareSetFileText(set, 0)));

    OpenSet read;
    ASSERT_EQ(ReadSetFile(dir.path("a.vtd"), read), SetFileStatus::Ok);
    EXPECT_EQ(PassMarkOf(read.testDetails), 55);
    // A reader that knows nothing of the field reads every other one as before.
    for (const char* field : {"version", "GraphicStyle", "allowPrinting", "TestName", "UseMinimumAsPercentageBaseline"})
        EXPECT_EQ(GetTag(read.testDetails, field), GetTag(DefaultTestDetails(), field)) << field;
    EXPECT_EQ(GetTagInt(read.testDetails, "version", 1), 1) << "the format version stays 1";
    EXPECT_EQ(PassMarkOf(WithPassMark(read.testDetails, 0)), 0);
}

TEST(PassMark, TheCommandLineTakesWholePercentages)
{
    for (const auto& [text, expected] : std::vector<std::pair<std::string, std::optional<int>>>{
             {"0", 0}, {"50", 50}, {"100", 100}, {"101", std::nullopt}, {"-1", std::nullopt}, {"", std::nullopt}, {"50%", std::nullopt}, {"7.5", std::nullopt}, {"0050", std::nullopt}}) {
        EXPECT_EQ(ParsePassMark(text), expected) << text;
    }
}

}  // namespace
}  // namespace dorvel
