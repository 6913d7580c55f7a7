#include "storage/Vtutils.h"

#include <gtest/gtest.h>

namespace dorvel {
namespace {

struct GetTagCase {
    const char* text;
    const char* name;
    const char* expected;
};

TEST(TaggedText, GetTagReadsTheFirstElementExactly)
{
    const GetTagCase cases[] = {
        {"<a>x</a>", "b", ""},
        {"<a></a>", "a", ""},
        {"<a> </a>", "a", " "},
        {"</a>x<a>y", "a", ""},            // closing tag ahead of the opening tag
        {"</a><a>y</a>", "a", ""},         // the first closing tag counts, even before the element
        {"<a><a>x</a></a>", "a", "<a>x"},  // nesting of one name: first closing tag ends it
        {"<a>1</a><a>2</a>", "a", "1"},
        {"<question10>q</question10>", "question1", ""},
        {"<b>1</b> <a>  two  words </a>", "a", "  two  words "},
        {"<a>open only", "a", ""},
        {"", "a", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetTag(c.text, c.name), c.expected) << c.text << " / " << c.name;
}

// An empty view may hold no pointer at all (found by the template fuzz
// target: the substring search was handed a null pointer).
TEST(TaggedText, AnEmptyViewWithoutStorageIsNoText)
{
    const std::string_view none;
    EXPECT_EQ(GetTag(none, "a"), "");
    EXPECT_EQ(GetTagInt(none, "a", 3), 3);
    EXPECT_EQ(RemoveTag(none, "a"), "");
    EXPECT_EQ(GetTag(SetTag(none, "a", "x"), "a"), "x");
}

TEST(TaggedText, GetTagIntFallsBackToTheDefault)
{
    EXPECT_EQ(GetTagInt("<n>abc</n>", "n", 7), 7);
    EXPECT_EQ(GetTagInt("<n> </n>", "n", 0), 0);
    EXPECT_EQ(GetTagInt("<n>12</n>", "n", 0), 12);
    EXPECT_EQ(GetTagInt("<n>  -3</n>", "n", 0), -3);
    EXPECT_EQ(GetTagInt("<n>+4</n>", "n", 0), 4);
    EXPECT_EQ(GetTagInt("<n>4x</n>", "n", 9), 9);
    EXPECT_EQ(GetTagInt("<n>99999999999999999999</n>", "n", 5), 5);
    EXPECT_EQ(GetTagInt("", "n", 2), 2);
}

TEST(TaggedText, RemoveTagCutsTheFirstElementAndTheBlanksAroundIt)
{
    EXPECT_EQ(RemoveTag("<a>1</a> <b>2</b> <c>3</c>", "b"), "<a>1</a><c>3</c>");
    const std::string untouched = "  <a>1</a>  \r\n";
    EXPECT_EQ(RemoveTag(untouched, "zz"), untouched);
    EXPECT_EQ(RemoveTag("<a>1</a><a>2</a>", "a"), "<a>2</a>");
    // A closing tag only ahead of the opening tag: nothing to remove.
    EXPECT_EQ(RemoveTag("</a>x<a>y", "a"), "</a>x<a>y");
}

TEST(TaggedText, SetTagPutsTheElementFirst)
{
    EXPECT_EQ(SetTag("", "a", "v"), "<a>v</a> ");
    EXPECT_EQ(SetTag("<a>1</a> <b>2</b>", "b", "3"), "<b>3</b> <a>1</a>");
    // A value holding its own closing tag is cut there when read back.
    EXPECT_EQ(GetTag(SetTag("", "a", "x</a>y"), "a"), "x");
}

}  // namespace
}  // namespace dorvel
