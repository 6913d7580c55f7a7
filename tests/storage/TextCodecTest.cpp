#include "languages/LangStrings.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

namespace dorvel {
namespace {

// What teachers type, in every script the editor meets, and the characters
// the format itself uses.
const char* const kTyped[] = {
    "Prüfung: Größe, Straße",
    "Café, naïve, élève, garçon",
    "Zażółć gęślą jaźń",
    "Ελληνικά: αβγ",
    "Русский текст",
    "中文测试",
    "العربية",
    "Emoji \xF0\x9F\x98\x80",
    "\u201Cquoted\u201D \u2013 dash \u2014",
    "Is this \"true\"? 5^2 `x`",
    "Q&A < > &amp; &#233;",
    "</Title><version>2</version>",
    "Planet.\nReally",
    "H<sub>2</sub>O x<sup>2</sup> <b>b</b><i>i</i><u>u</u>",
    "£ 5",
};

bool IsStoredForm(const std::string& s)
{
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (!((u >= 32 && u <= 126 && c != '"' && c != '^' && c != '`' && c != '<' && c != '>') || u == 163))
            return false;
    }
    return true;
}

TEST(TextCodec, EveryTypedTextRoundTripsThroughTheStoredForm)
{
    for (const char* typed : kTyped) {
        const std::string stored = EncodeText(typed);
        EXPECT_TRUE(IsStoredForm(stored)) << stored;
        EXPECT_EQ(DecodeText(stored), typed);
        // A record holding it still reads back whole.
        EXPECT_EQ(GetTag(SetTag("<version>1</version>", "Title", stored), "Title"), stored);
        EXPECT_EQ(GetTag(SetTag("<a>1</a>", "Title", stored), "version"), "");
    }
}

TEST(TextCodec, EncodesWhatTheFormatCannotHold)
{
    EXPECT_EQ(EncodeText("Caf\u00E9"), "Caf&#233;");
    EXPECT_EQ(EncodeText("\u00A3"), "\xA3");
    EXPECT_EQ(EncodeText("a\"b^c`d"), "a&#34;b&#94;c&#96;d");
    EXPECT_EQ(EncodeText("a\nb"), "a&#10;b");
    EXPECT_EQ(EncodeText("<b>&"), "&lt;b&gt;&amp;");
    EXPECT_EQ(EncodeText("\xF0\x9F\x98\x80"), "&#128512;");
    // Bytes that are not UTF-8 and the zero character cannot be stored.
    EXPECT_EQ(EncodeText(std::string("a\xFF"
                                     "b\0",
                                     4)),
              "a&#65533;b&#65533;");
}

struct DecodeCase {
    const char* stored;
    const char* text;
};

TEST(TextCodec, DecodesReferencesAndOldBytes)
{
    const DecodeCase cases[] = {
        {"&eacute;&Eacute;&szlig;&nbsp;&yuml;", "\u00E9\u00C9\u00DF\u00A0\u00FF"},
        {"&#233;&#xE9;&#XE9;&amp;&lt;&gt;&quot;&apos;", "\u00E9\u00E9\u00E9&<>\"'"},
        // Anything that is no reference we read stays as it stands.
        {"Q&A, & ; &bogus; &#; &#x; &#0; &#xD800; &#1114112; &#12a; &amp", "Q&A, & ; &bogus; &#; &#x; &#0; &#xD800; &#1114112; &#12a; &amp"},
        {"&&amp;;", "&&;"},
        // Sets and packs of the original format: Windows-1252 bytes.
        {"\xA3 5, Gr\xF6\xDF"
         "e, \x80",
         "\u00A3 5, Gr\u00F6\u00DF"
         "e, \u20AC"},
        // Names an earlier version stored as UTF-8 bytes.
        {"Pr\xC3\xBC"
         "fung",
         "Pr\u00FC"
         "fung"},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(DecodeText(c.stored), c.text) << c.stored;
}

TEST(TextCodec, SafeStoredValueNeverFormsAnElement)
{
    const std::string hostile = "</vtString></vtText><vtPicture><picFilePathAbs>/etc/passwd</picFilePathAbs></vtPicture>";
    const std::string safe = SafeStoredValue(hostile);
    EXPECT_EQ(safe.find_first_of("<>"), std::string::npos);
    EXPECT_EQ(DecodeText(safe), hostile);
    // Values already stored by the codec stay as they are.
    for (const char* typed : kTyped)
        EXPECT_EQ(SafeStoredValue(EncodeText(typed)), EncodeText(typed));
}

struct CleanCase {
    const char* typed;
    const char* stored;
};

TEST(TextCodec, CleanTextKeepsEveryCharacterAndLineBreaks)
{
    const CleanCase cases[] = {
        {"  a  \"b\"\r\n c ", "a &#34;b&#34;&#10; c"},
        {"x^y`z\tGr\u00F6\u00DF"
         "e \u00A3",
         "x&#94;y&#96;z Gr&#246;&#223;e \xA3"},
        {"ab\r\ncd\ref\ngh", "ab&#10;cd&#10;ef&#10;gh"},
        {"   ", ""},
        {"\n\n x \n", "x"},
        {"a\x01\x7F"
         "b\u0085c",
         "abc"},
        {"a <b> & 'c' ~ {}", "a &lt;b&gt; &amp; 'c' ~ {}"},
    };
    for (const CleanCase& c : cases)
        EXPECT_EQ(CleanText(c.typed), c.stored) << c.typed;
}

TEST(TextCodec, LanguagePacksHoldLatin1AndReferencesForTheRest)
{
    // As the pack build writes them: Latin-1 bytes, references for the rest;
    // the program reads UTF-8. Ampersands of menu mnemonics stay.
    LangStrings lang;
    std::vector<std::string> components;
    lang.applyPack("0009 Pr\xFC"
                   "fung\n0010 &#917;&#955;&#955;&#951;&#957;&#953;&#954;&#940; &#128512;\n"
                   "0074 &nbsp; Ihr Ergebnis\nOpen Caption \xD6&ffnen\n",
                   [&](const std::string& line) { components.push_back(line); });
    EXPECT_EQ(lang.at(9), "Pr\u00FC"
                          "fung");
    EXPECT_EQ(lang.at(10), "\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \xF0\x9F\x98\x80");
    EXPECT_EQ(lang.at(74), "\u00A0 Ihr Ergebnis");
    EXPECT_EQ(components, std::vector<std::string>{"Open Caption \u00D6&ffnen"});
}

TEST(TextCodec, LengthCountsCharactersNotBytes)
{
    EXPECT_EQ(TextLength("Gr\u00F6\u00DF"
                         "e\xF0\x9F\x98\x80"),
              6u);
    EXPECT_EQ(TextLength(""), 0u);
}

}  // namespace
}  // namespace dorvel
