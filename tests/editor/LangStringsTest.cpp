#include "languages/LangStrings.h"
#include "model/DefaultRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvel {
namespace {

TEST(LangStrings, InternalEntriesAreTheDefaultRecords)
{
    LangStrings strings;
    EXPECT_EQ(strings.at(0), DefaultQuestionRecord());
    EXPECT_EQ(strings.at(1), DefaultTestDetails());
    EXPECT_FALSE(strings.set(0, "x"));
    EXPECT_FALSE(strings.set(1000, "x"));
    EXPECT_EQ(strings.at(0), DefaultQuestionRecord());
    EXPECT_EQ(strings.at(-1), "");
    EXPECT_EQ(strings.at(500), "");
}

TEST(LangStrings, PackLinesSetStringsAndPassComponentLinesOn)
{
    LangStrings strings;
    std::vector<std::string> components;
    const int count = strings.applyPack(
        "0019 Too many sets\r\n"
        "0020 \r\n"  // five characters: ignored, a pack cannot set an empty string
        "1000 beyond the table\n"
        "0005 five is a component line\r"
        "0021 two#r#nlines\r\n"
        "TestNameLabel Caption Test name\r\n"
        "  22 blanks before the number\n"
        "abc\n"
        "0001 cannot replace the defaults\n",
        [&](const std::string& line) { components.push_back(line); });
    EXPECT_EQ(count, 3);
    EXPECT_EQ(strings.at(19), "Too many sets");
    EXPECT_EQ(strings.at(20), "");
    EXPECT_EQ(strings.at(21), "two\r\nlines");
    EXPECT_EQ(strings.at(22), "blanks before the number");
    EXPECT_EQ(strings.at(1), DefaultTestDetails());
    const std::vector<std::string> expected = {
        "0005 five is a component line",
        "TestNameLabel Caption Test name",
        "0001 cannot replace the defaults",
    };
    EXPECT_EQ(components, expected);
}

TEST(LangStrings, AStringNotSetKeepsItsPreviousValue)
{
    LangStrings strings;
    strings.applyPack("0019 first\n0020 second\n");
    strings.applyPack("0019 replaced\n");
    EXPECT_EQ(strings.key("s19"), "replaced");
    EXPECT_EQ(strings.key("s20"), "second");
}

TEST(LangStrings, MessageKeys)
{
    EXPECT_EQ(MessageKeyNumber("s19"), 19);
    EXPECT_EQ(MessageKeyNumber("s"), -1);
    EXPECT_EQ(MessageKeyNumber("x19"), -1);
    EXPECT_EQ(MessageKeyNumber("s1x"), -1);
    EXPECT_EQ(MessageKey(57), "s57");
}

}  // namespace
}  // namespace dorvel
