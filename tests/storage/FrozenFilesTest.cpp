// Files written by the code of 10 December 2026 and kept in the repository
// byte for byte (tests/storage/frozen/README.md says how they were made).
// Every set, bank and language pack teachers already have was written the
// same way: whatever changes in how text is stored, these must keep reading
// to the same plain text, and the plain text must still pack to the same bytes.
#include "bank/BankReader.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvel {
namespace {

std::string frozenPath(const std::string& name)
{
    return std::string(DORVEL_SOURCE_DIR) + "/tests/storage/frozen/" + name;
}

std::string frozen(const std::string& name)
{
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(frozenPath(name), bytes)) << name;
    return bytes;
}

// Where two byte strings first differ, so a failure names a place instead of
// printing tens of kilobytes.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    std::size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    return ::testing::AssertionFailure() << "first difference at byte " << i << " of " << expected.size()
                                         << " expected (" << actual.size() << " given): expected \""
                                         << expected.substr(i, 40) << "\", given \"" << actual.substr(i, 40) << "\"";
}

struct FrozenFile {
    const char* stored;
    const char* plain;  // what the stored file (for a bank: its header block) holds
    int kind;
    unsigned seed;  // the clock second it was written in, found once (see the README)
};

const FrozenFile kFrozenFiles[] = {
    {"set.vtd", "set.txt", 2, 1796913021u},
    {"bank.vtb", "bank-header.txt", 3, 1796913024u},
    {"language.vtc", "language.txt", 5, 1796913041u},
};

TEST(FrozenFiles, ReadToTheirPlainTextAndPackBackToTheSameBytes)
{
    for (const FrozenFile& f : kFrozenFiles) {
        SCOPED_TRACE(f.stored);
        const std::string stored = frozen(f.stored);
        const std::string plain = frozen(f.plain);
        ASSERT_FALSE(plain.empty());
        const std::string packed = ScrambleTextSeeded(plain, f.kind, f.seed);
        ASSERT_LE(packed.size(), stored.size());
        // A bank's header block is followed by the media data.
        const std::string block = stored.substr(0, packed.size());
        EXPECT_TRUE(SameBytes(packed, block));
        EXPECT_TRUE(SameBytes(UnscrambleText(block, f.kind), plain));
        if (f.kind != 3) {
            EXPECT_TRUE(SameBytes(ReadStoredFile(frozenPath(f.stored)), plain));
        }
    }
}

// The frozen files only protect what they hold: each must keep the kinds of
// bytes that tripped stored text before.
TEST(FrozenFiles, HoldEveryKindOfByteTheFormatMeets)
{
    for (const FrozenFile& f : kFrozenFiles) {
        SCOPED_TRACE(f.plain);
        const std::string plain = frozen(f.plain);
        for (const char* piece : {"\r\n", "\"", "'", "\xA3", "&#233;", "&#8364;"})
            EXPECT_NE(plain.find(piece), std::string::npos) << piece;
        std::size_t above127 = 0;
        for (const char c : plain)
            above127 += static_cast<unsigned char>(c) > 127 ? 1 : 0;
        EXPECT_GE(above127, 10u);
    }
    const std::string set = frozen("set.txt");
    EXPECT_NE(set.find('\n', set.find("True or false?")), std::string::npos);  // a lone line feed too
    EXPECT_EQ(GetTag(set, "TestName").size(), 200u);                           // the longest name the editor takes
}

TEST(FrozenFiles, SetReadsToItsRecords)
{
    const std::string plain = frozen("set.txt");
    OpenSet set;
    ASSERT_EQ(ReadSetFile(frozenPath("set.vtd"), set), SetFileStatus::Ok);
    EXPECT_TRUE(SameBytes(set.testDetails, GetTag(plain, "vtDorvel")));
    ASSERT_EQ(set.questionCount(), 4);
    for (int n = 0; n <= 4; ++n)
        EXPECT_TRUE(SameBytes(set.questionSlots[static_cast<std::size_t>(n)], GetTag(plain, "question" + std::to_string(n))))
            << "question " << n;
    std::string everyByte;
    for (int c = 1; c < 256; ++c)
        if (c != '<')
            everyByte += static_cast<char>(c);
    EXPECT_TRUE(SameBytes(GetTag(set.questionSlots[4], "Text1"), everyByte));
    EXPECT_EQ(GetTag(set.questionSlots[1], "Title"),
              "Which river \"flows\" through Vienna?\r\nChoose one: \xA3 caf\xE9 \xFF &#233; &#8364; &#x41;");
}

TEST(FrozenFiles, BankReadsToItsHeaderAndMedia)
{
    const std::string header = frozen("bank-header.txt");
    BankReader bank;
    ASSERT_TRUE(bank.open(frozenPath("bank.vtb"))) << bank.error();
    EXPECT_TRUE(SameBytes(bank.headerText(), header.substr(20)));  // behind the 20-digit length field
    EXPECT_EQ(BankReader::NumberedRecords(bank.questionFileList()).size(), 4u);
    EXPECT_EQ(bank.dataStart() + bank.dataSize(), static_cast<std::int64_t>(frozen("bank.vtb").size()));
    ASSERT_EQ(bank.files().size(), 26u);
    std::int64_t total = 0;
    for (const BankFileEntry& entry : bank.files()) {
        SCOPED_TRACE(entry.name);
        ASSERT_TRUE(entry.embedded());
        EXPECT_EQ(entry.start, total);
        total = entry.end;
        std::string data;
        ASSERT_TRUE(bank.readData(entry, data));
        const std::string ext = entry.name.substr(entry.name.size() - 4);
        const std::string signature = ext == ".gif" ? "GIF8" : ext == ".jpg" ? "\xFF\xD8\xFF"
                                                                             : "RIFF";
        EXPECT_EQ(data.substr(0, signature.size()), signature);
    }
    EXPECT_EQ(total, bank.dataSize());
}

}  // namespace
}  // namespace dorvel
