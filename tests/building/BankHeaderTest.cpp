// The bank's header as the question player of the original format reads it:
// that reader walks the header in order, so the order of its parts matters
// even though our own reader finds them by name. A small bank's header is
// compared with a golden file byte for byte; only what differs from run to
// run is fixed first: the scrambling salt (the header is compared unscrambled)
// and the fixture installation's absolute path (written as @INSTALL@).
// DORVEL_UPDATE_GOLDEN=1 rewrites the golden file; review its diff.
#include "bank/BankFile.h"
#include "bank/BankReader.h"
#include "bank/ExportLists.h"
#include "building/ExpandSet.h"
#include "languages/LangStrings.h"
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/building/FixtureInstallation.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace dorvel {
namespace {

using test::FixtureInstallation;
using test::QuestionRecord;
using test::ScriptedUserInterface;
using test::TempFolder;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(BankHeader, MatchesTheGoldenHeaderByteForByte)
{
    FixtureInstallation install;
    ScriptedUserInterface ui;
    LangStrings lang;
    ExportLists lists;
    OpenSet set;
    // Fixed dates: the header carries the test details as saved.
    set.testDetails = SetTag(DefaultTestDetails(), "GraphicStyle", "Plain");
    set.testDetails = SetTag(set.testDetails, "TestName", "Golden header");
    set.testDetails = SetTag(set.testDetails, "creationdate", "20261210120000");
    set.questionSlots[0] = DefaultQuestionRecord();
    set.questionSlots[1] = QuestionRecord(0, "Two choices");
    set.questionSlots[2] = QuestionRecord(3, "One statement");
    set.questionSlots[3] = QuestionRecord(7, "One field");
    ASSERT_EQ(ExpandSet(set, ui, lang, lists, 0), "0");

    TempFolder dir;
    const std::string bankPath = dir.path("golden.vtb");
    ASSERT_EQ(WriteBankFile(lists, ui, bankPath, set.testDetails, "Measuring", "Writing").status,
              BankWriteStatus::Written);
    BankReader reader;
    ASSERT_TRUE(reader.open(bankPath)) << reader.error();
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(bankPath, bytes));
    const std::string block = UnscrambleText(bytes.substr(0, static_cast<std::size_t>(reader.dataStart())), 3);
    ASSERT_GT(block.size(), kBankLengthFieldSize);
    // The length field counts the whole block: the header and what scrambling adds.
    EXPECT_EQ(std::stoll(block.substr(0, kBankLengthFieldSize)), reader.dataStart());
    const std::string header = ReplaceAll(block.substr(kBankLengthFieldSize), install.path(), "@INSTALL@");

    const std::string golden = std::string(DORVEL_SOURCE_DIR) + "/tests/building/golden/bank-header.txt";
    if (std::getenv("DORVEL_UPDATE_GOLDEN")) {
        ASSERT_TRUE(WriteFileBytes(golden, header));
        GTEST_SKIP() << golden << " rewritten";
    }
    std::string expected;
    ASSERT_TRUE(ReadFileBytes(golden, expected)) << golden;
    EXPECT_EQ(header, expected);
}

}  // namespace
}  // namespace dorvel
