#include "exchange/MarkedText.h"
#include "exchange/QuestionReaders.h"
#include "exchange/Reasons.h"

#include <QString>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dorvel::exchange {
namespace {

namespace r = reason;

struct ImportCase {
    const char* what;
    std::optional<Format> format;  // nothing: guessed
    std::string content;
    std::size_t imported;
    std::vector<std::pair<int, int>> skipped;  // position, reason
    int error = 0;
};

std::string repeated(const std::string& unit, std::size_t times)
{
    std::string out;
    for (std::size_t k = 0; k < times; ++k)
        out += unit;
    return out;
}

const std::string kGiftAll = "// every kind that maps\n$CATEGORY: $course$/top/Maths\n\n"
                             "::Two::Pick {=yes ~no}\n\n"
                             "::Four::Pick {=a ~b ~c ~d}\n\n"
                             "::T::Sky is blue {T}\n\n"
                             "::F::Sky is green {FALSE}\n\n"
                             "::Short::Name a colour {=red =green =blue}\n\n"
                             "::Num::Pi? {#3.14:0.01}\n\n"
                             "::Range::Between {#1..5}\n\n"
                             "::Exact::Two answers {#=2:0 =4:0}\n\n"
                             "::Missing word::The {=cat ~dog} sat on the mat.\n\n"
                             "::Penalty::Pick {~%-50%a ~%-100%b =c}\n";

const std::string kGiftRefused = "::Match::Pair {=a -> 1 =b -> 2 =c -> 3}\n\n"
                                 "::Essay::Write {}\n\n"
                                 "::Multi::Pick two {~%50%a ~%50%b ~%-100%c}\n\n"
                                 "::Five::Pick {=a ~b ~c ~d ~e}\n\n"
                                 "::None::Pick {~a ~b}\n\n"
                                 "::Six::Name {=a =b =c =d =e =f}\n\n"
                                 "::Description::Only text\n\n"
                                 "::Open::Never closed {=a ~b\n\n"
                                 "::Twice::Two {=a} blocks {=b}\n\n"
                                 "::NaN::Number {#abc}\n\n"
                                 "::Partial::Name {=a =%50%b}\n";

const std::string kMoodleHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";

std::string moodleQuestion(const std::string& type, const std::string& name, const std::string& answers,
                           const std::string& extra = {})
{
    return "<question type=\"" + type + "\"><name><text>" + name + "</text></name>"
        + "<questiontext format=\"html\"><text><![CDATA[<p>" + name + " text</p>]]></text></questiontext>" + extra
        + answers + "</question>\n";
}

std::string answer(double fraction, const std::string& text, const std::string& tolerance = {})
{
    return "<answer fraction=\"" + QString::number(fraction).toStdString() + "\"><text>" + text + "</text>"
        + (tolerance.empty() ? "" : "<tolerance>" + tolerance + "</tolerance>") + "</answer>";
}

const std::string kMoodleAll = kMoodleHead
    + "<question type=\"category\"><category><text>$course$/top/Chemistry</text></category></question>\n"
    + moodleQuestion("multichoice", "MC", answer(0, "a") + answer(100, "b") + answer(0, "c"), "<single>true</single>")
    + moodleQuestion("truefalse", "TF", answer(0, "true") + answer(100, "false"))
    + moodleQuestion("shortanswer", "SA", answer(100, "one") + answer(100, "One more") + answer(0, "wrong"))
    + moodleQuestion("numerical", "NUM", answer(100, "9.81", "0.05") + answer(0, "*"))
    // Penalties: wrong choices that take marks away are still wrong choices.
    + moodleQuestion("multichoice", "Penalty", answer(-50, "a") + answer(-100, "b") + answer(-33.33333, "c") + answer(100, "d"),
                     "<single>true</single>")
    + "</quiz>\n";

const std::string kMoodleRefused = kMoodleHead
    + moodleQuestion("matching", "Match", "<subquestion><text>a</text><answer><text>1</text></answer></subquestion>")
    + moodleQuestion("essay", "Essay", "")
    + moodleQuestion("multianswer", "Cloze", "")
    + moodleQuestion("multichoice", "Multi", answer(50, "a") + answer(50, "b"), "<single>false</single>")
    + moodleQuestion("multichoice", "Partial", answer(100, "a") + answer(50, "b"), "<single>true</single>")
    + moodleQuestion("multichoice", "Five", repeated(answer(0, "x"), 4) + answer(100, "y"), "<single>true</single>")
    + moodleQuestion("truefalse", "NoRight", answer(0, "true") + answer(0, "false"))
    + moodleQuestion("shortanswer", "Wild", answer(100, "colo*r"))
    + moodleQuestion("description", "Desc", "")
    + moodleQuestion("numerical", "NaN", answer(100, "lots"))
    + moodleQuestion("shortanswer", "Blank", answer(100, " "))
    + "</quiz>\n";

const std::vector<ImportCase>& cases()
{
    static const std::vector<ImportCase> table = {
        {"GIFT: every kind that maps", Format::Gift, kGiftAll, 10, {}},
        {"GIFT guessed, CR LF and a byte-order mark", std::nullopt, "\xEF\xBB\xBF::A::Q1 {=x ~y}\r\n\r\n::B::Q2 {T}\r\n", 2, {}},
        {"GIFT guessed though it begins with a tag", std::nullopt, "<b>Bold</b> question {T}\n", 1, {}},
        {"GIFT: refused kinds, each with its reason", Format::Gift, kGiftRefused, 0, {{1, r::kMatching}, {2, r::kEssay}, {3, r::kSeveralRight}, {4, r::kTooManyChoices}, {5, r::kNoRightAnswer}, {6, r::kTooManyAnswers}, {7, r::kUnsupportedType}, {8, r::kUnreadable}, {9, r::kUnreadable}, {10, r::kNotANumber}, {11, r::kSeveralRight}}},
        {"GIFT: accepted answers of blanks are no answers", Format::Gift, "::E::Q {=}\n\n::B::Q {=  =\t}\n\n::N::Q {#1..}\n", 0, {{1, r::kNoRightAnswer}, {2, r::kNoRightAnswer}, {3, r::kNotANumber}}},
        {"GIFT: an unclosed brace costs only its own question", Format::Gift, "::A::Q {=x ~y\n\n::B::Q {=x ~y}\n", 1, {{1, r::kUnreadable}}},
        {"GIFT: questions without the empty line between them are told so", Format::Gift, "::A::Q {=x ~y}\n::B::Q {#4805:5}\n\n::C::Q {T}\n", 1, {{1, r::kNoEmptyLine}}},
        {"GIFT: one question over the file's limit", Format::Gift, repeated("Q {T}\n\n", kMaxQuestionsPerFile + 1), kMaxQuestionsPerFile, {{kMaxQuestionsPerFile + 1, r::kTooManyQuestions}}},
        {"GIFT: a line longer than the limit", Format::Gift, "::A::" + std::string(kMaxLineLength + 1, 'x') + " {T}\n", 0, {}, r::kLineTooLong},
        {"Aiken: two questions", std::nullopt, "What is 2+2?\nA. 3\nB. 4\nANSWER: B\n\nCapital of Peru?\nA) Lima\nB) Cusco\nC) Quito\nANSWER: A\n", 2, {}},
        {"Aiken: refused", Format::Aiken, "Five?\nA. 1\nB. 2\nC. 3\nD. 4\nE. 5\nANSWER: A\n\n"
                                          "No answer line\nA. x\nB. y\n\n"
                                          "Answer out of range\nA. x\nB. y\nANSWER: C\n\n"
                                          "One option\nA. x\nANSWER: A\n\n"
                                          "Out of order\nA. x\nC. y\nANSWER: A\n",
         0,
         {{1, r::kTooManyChoices}, {2, r::kNoRightAnswer}, {3, r::kNoRightAnswer}, {4, r::kTooFewChoices}, {5, r::kUnreadable}}},
        {"Moodle XML: every kind that maps", std::nullopt, kMoodleAll, 5, {}},
        {"Moodle XML: refused kinds", Format::MoodleXml, kMoodleRefused, 0, {{1, r::kMatching}, {2, r::kEssay}, {3, r::kCloze}, {4, r::kSeveralRight}, {5, r::kSeveralRight}, {6, r::kTooManyChoices}, {7, r::kNoRightAnswer}, {8, r::kWildcard}, {9, r::kUnsupportedType}, {10, r::kNotANumber}, {11, r::kNoRightAnswer}}},
        {"Moodle XML: a text over the limit", Format::MoodleXml, kMoodleHead + moodleQuestion("truefalse", "Long", answer(100, "true"), "<generalfeedback><text>" + std::string(10, 'x') + "</text></generalfeedback>") + moodleQuestion("truefalse", std::string(kMaxTextLength + 1, 'n'), answer(100, "true")) + "</quiz>", 1, {{2, r::kTextTooLong}}},
        {"XML: external entity", Format::MoodleXml, "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n<quiz>" + moodleQuestion("truefalse", "&x;", answer(100, "true")) + "</quiz>", 0, {}, r::kDocumentType},
        {"XML: entity expansion bomb", Format::MoodleXml, "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                                                          "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>\n<quiz>"
             + moodleQuestion("truefalse", "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;", answer(100, "true")) + "</quiz>",
         0,
         {},
         r::kDocumentType},
        {"XML: undeclared entity", Format::MoodleXml, kMoodleHead + moodleQuestion("truefalse", "&nope;", answer(100, "true")) + "</quiz>", 0, {}, r::kNotWellFormed},
        {"XML: deeply nested", Format::MoodleXml, kMoodleHead + repeated("<x>", 100000) + repeated("</x>", 100000) + "</quiz>", 0, {}, r::kTooDeep},
        {"XML: cut off", Format::MoodleXml, kMoodleHead + moodleQuestion("truefalse", "TF", answer(100, "true")) + "<question type=\"truefalse\"><name>", 0, {}, r::kNotWellFormed},
    };
    return table;
}

TEST(Import, FixturesGiveTheirCountsAndReasons)
{
    for (const ImportCase& c : cases()) {
        SCOPED_TRACE(c.what);
        const ImportResult result = ReadQuestions(c.content, c.format ? *c.format : GuessFormat(c.content));
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.questions.size(), c.imported);
        std::vector<std::pair<int, int>> skipped;
        for (const Skipped& s : result.skipped)
            skipped.emplace_back(s.position, s.reason);
        EXPECT_EQ(skipped, c.skipped);
        if (c.error) {
            EXPECT_TRUE(result.questions.empty() && result.skipped.empty());
        }
    }
}

// The same text as UTF-16 with its byte-order mark, as Windows' editors save it.
std::string utf16(const std::string& utf8, bool bigEndian)
{
    const QString text = QString::fromStdString(utf8);
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

// An import names a file and rarely its format: the name's extension comes
// first, then the content, whatever its line ends and encoding.
TEST(Import, TheFormatComesFromTheNameThenTheContent)
{
    const std::string aikenCr = "What is 2+2?\rA. 3\rB. 4\rANSWER: B\r\rCapital of Peru?\rA) Lima\rB) Cusco\rANSWER: A\r";
    const std::string moodle16 = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + kMoodleAll.substr(kMoodleHead.find('\n'));
    const std::string quiz = kMoodleAll.substr(kMoodleHead.find("<quiz>"));
    struct Case {
        const char* file;
        std::string content;
        Format format;
        std::size_t imported;
        int error = 0;
    };
    const Case cases[] = {
        {"quiz.txt", aikenCr, Format::Aiken, 2},
        {"quiz", aikenCr, Format::Aiken, 2},
        {"quiz.aiken", "Pick\r\nA. x\r\nB. y\r\nANSWER: A\r\n", Format::Aiken, 1},
        {"quiz.xml", utf16(moodle16, false), Format::MoodleXml, 5},
        {"export", utf16(moodle16, true), Format::MoodleXml, 5},
        {"quiz.xml", "<!DOCTYPE quiz>\n" + quiz, Format::MoodleXml, 0, r::kDocumentType},
        {"quiz.dat", "\xEF\xBB\xBF\n<!DOCTYPE quiz [<!ENTITY x \"y\">]>\n" + quiz, Format::MoodleXml, 0, r::kDocumentType},
        {"quiz", "<?latexml options=\"x\"?>\n" + quiz, Format::MoodleXml, 5},
        {"quiz", "<!-- from the course's bank -->\n" + quiz, Format::MoodleXml, 5},
        {"quiz", "  \n" + quiz, Format::MoodleXml, 5},
        {"Quiz.XML", "::A::Q1 {=x ~y}\n", Format::MoodleXml, 0, r::kNotWellFormed},
        {"quiz", "<b>Bold</b> question {T}\n", Format::Gift, 1},
        {"quiz", "<quizzical> question {T}\n", Format::Gift, 1},
        {"quiz.gift", "Pick\nA. x\nB. y\nANSWER: A\n", Format::Gift, 0},
        {"quiz.txt", "What does {x} mean?\nA. a set\nB. a field\nANSWER: A\n", Format::Aiken, 1},
        // Read as GIFT, as Moodle reads it: "{x}" accepts the answer "x".
        {"quiz", "What does {x} mean?\nA. a set\nB. a field\nANSWER: A\n", Format::Gift, 1},
        {"quiz.txt", "::A::Q1 {=x ~y}\n\nANSWER: is a word {T}\n", Format::Gift, 2},
        {"quiz.gift", utf16("::Ä::Grüße {=ja ~nein}\n", false), Format::Gift, 1},
        {"quiz.txt", utf16(aikenCr, true), Format::Aiken, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.content.substr(0, 40));
        const Format format = GuessFileFormat(c.file, c.content);
        EXPECT_EQ(static_cast<int>(format), static_cast<int>(c.format));
        const ImportResult result = ReadQuestions(c.content, format);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.questions.size(), c.imported);
    }
    // What a UTF-16 file says comes in as typed.
    EXPECT_EQ(ReadQuestions(utf16("::Ä::Grüße {=ja ~nein}\n", false), Format::Gift).questions.at(0).name, "Ä");
}

TEST(Import, SkippedQuestionsAreNamed)
{
    const ImportResult gift = ReadGift("::Pairs::Match {=a -> 1 =b -> 2}\n\nWrite an essay about Goethe {}\n");
    ASSERT_EQ(gift.skipped.size(), 2u);
    EXPECT_EQ(gift.skipped[0].name, "Pairs");
    EXPECT_EQ(gift.skipped[1].name, "Write an essay about Goethe");
}

TEST(Import, GiftFieldsAndCharacters)
{
    const ImportResult result = ReadGift(kGiftAll + "\n::Ünïcødé \\: 名前::[html]<p>Wie <strong>heißt</strong> das?</p><p>"
                                                    "Zeile&nbsp;2 &amp; 3 \\{x\\}</p>{=Straße ~Weg}\n");
    EXPECT_EQ(result.category, "Maths");
    ASSERT_EQ(result.questions.size(), 11u);
    const Question& two = result.questions[0];
    EXPECT_EQ(two.kind, Kind::Choice);
    EXPECT_EQ(two.name, "Two");
    EXPECT_EQ(two.text, "Pick");
    EXPECT_EQ(two.choices, (std::vector<std::string>{"yes", "no"}));
    EXPECT_EQ(two.rightChoice, 0);
    EXPECT_FALSE(result.questions[3].statements.front().isTrue);
    EXPECT_EQ(result.questions[4].fields.front().answers, (std::vector<std::string>{"red", "green", "blue"}));
    const AnswerField& pi = result.questions[5].fields.front();
    EXPECT_TRUE(pi.numeric && pi.range);
    EXPECT_EQ(pi.answers, (std::vector<std::string>{"3.13", "3.15"}));
    const AnswerField& range = result.questions[6].fields.front();
    EXPECT_TRUE(range.range);
    EXPECT_EQ(range.answers, (std::vector<std::string>{"1", "5"}));
    const AnswerField& exact = result.questions[7].fields.front();
    EXPECT_TRUE(exact.numeric && !exact.range);
    EXPECT_EQ(exact.answers, (std::vector<std::string>{"2", "4"}));
    EXPECT_EQ(result.questions[8].text, "The _____ sat on the mat.");
    EXPECT_EQ(result.questions[9].choices, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(result.questions[9].rightChoice, 2);
    const Question& unicode = result.questions[10];
    EXPECT_EQ(unicode.name, "Ünïcødé : 名前");
    EXPECT_EQ(unicode.text, "Wie <b>heißt</b> das?\nZeile\u00a02 & 3 {x}");
    EXPECT_EQ(unicode.choices.front(), "Straße");
}

TEST(Import, MoodleXmlFieldsAndCategory)
{
    const ImportResult result = ReadMoodleXml(kMoodleAll);
    EXPECT_EQ(result.category, "Chemistry");
    ASSERT_EQ(result.questions.size(), 5u);
    EXPECT_EQ(result.questions[0].rightChoice, 1);
    EXPECT_EQ(result.questions[4].kind, Kind::Choice);
    EXPECT_EQ(result.questions[4].choices, (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(result.questions[4].rightChoice, 3);
    EXPECT_EQ(result.questions[0].text, "MC text");
    EXPECT_FALSE(result.questions[1].statements.front().isTrue);
    EXPECT_EQ(result.questions[2].fields.front().answers, (std::vector<std::string>{"one", "One more"}));
    EXPECT_EQ(result.questions[3].fields.front().answers, (std::vector<std::string>{"9.76", "9.86"}));
}

TEST(Import, TwoCategoriesNameNoSet)
{
    const std::string gift = "$CATEGORY: a\n\n::Q::x {T}\n\n$CATEGORY: b\n\n::R::y {F}\n";
    EXPECT_EQ(ReadGift(gift).category, "");
}

TEST(MarkedText, HtmlBecomesPlainTextWithTheMarksTheTestRenders)
{
    const std::pair<const char*, const char*> table[] = {
        {"<p>One</p>\n<p>Two</p>", "One\nTwo"},
        {"a<br/>b<BR>c", "a\nb\nc"},
        {"<strong>bold</strong> <em>it</em> <u>u</u> H<sub>2</sub>O x<sup>2</sup>",
         "<b>bold</b> <i>it</i> <u>u</u> H<sub>2</sub>O x<sup>2</sup>"},
        {"<span style=\"color:red\">red</span> <a href=\"x\">link</a>", "red link"},
        {"a  \n  b", "a b"},
        {"1 < 2 &lt; 3 &#8364; &eacute;", "1 < 2 < 3 \u20ac é"},
        {"<script>alert(1)</script>safe<style>p{}</style>", "safe"},
        {"safe<script>never closed", "safe"},
        {"safe<STYLE>p{}</style", "safe"},
        {"<!-- note -->text<img src=\"x.png\">", "text"},
        {"a<img alt=\"1 > 0\" src='x.png'>b <i title = 'x>y'>c</i> don't > stop", "ab <i>c</i> don't > stop"},
        {"<ul><li>one</li><li>two</li></ul>", "\u2022 one\n\u2022 two"},
    };
    for (const auto& [html, marked] : table)
        EXPECT_EQ(MarkedTextFromHtml(html), marked) << html;
}

}  // namespace
}  // namespace dorvel::exchange
