#include "building/TemplateFilling.h"
#include "exchange/ExportQuestions.h"
#include "exchange/QuestionReaders.h"
#include "exchange/QuestionWriters.h"
#include "exchange/Reasons.h"
#include "exchange/SetRecords.h"
#include "languages/LangStrings.h"
#include "model/OpenSet.h"
#include "storage/Vtutils.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace dorvel::exchange {
namespace {

// Questions of every kind that maps both ways, with the characters each
// format has to escape.
std::vector<Question> everyKind()
{
    std::vector<Question> qs;
    auto choice = [&](std::string name, std::string text, std::vector<std::string> choices, int right) {
        Question q;
        q.kind = Kind::Choice;
        q.name = std::move(name);
        q.text = std::move(text);
        q.choices = std::move(choices);
        q.rightChoice = right;
        qs.push_back(q);
    };
    choice("Two", "Is it?", {"yes", "%50%no"}, 1);
    choice("Three: {escapes} ~ = # \\ :", "a ~ b = c # d {e} \\ f: g", {"~x", "=y", "#z {}"}, 2);
    choice("Vier Wahl", "Wähle <b>fett</b> & <i>schräg</i>, H<sub>2</sub>O, x<sup>2</sup>, <u>unter</u>\nZweite Zeile < 3 > 1",
           {"Ä", "日本語", "emoji 🎓", "\"quoted\" 'single'"}, 3);
    Question tf;
    tf.kind = Kind::TrueFalse;
    tf.name = "TF true";
    tf.text = "The sun is a star.";
    tf.statements = {{"", true}};
    qs.push_back(tf);
    tf.name = "";
    tf.text = "Without a name, false";
    tf.statements = {{"", false}};
    qs.push_back(tf);
    Question typed;
    typed.kind = Kind::Typed;
    typed.name = "Short";
    typed.text = "Name a primary colour";
    typed.fields = {{"", false, {"red", "%5% Green", "blue: #1", "a{b}", "x=y~z"}, false}};
    qs.push_back(typed);
    typed.name = "Exact numbers";
    typed.text = "An even prime or four";
    typed.fields = {{"", true, {"2", "4.5"}, false}};
    qs.push_back(typed);
    typed.name = "One number";
    typed.text = "2 + 2";
    typed.fields = {{"", true, {"4"}, false}};
    qs.push_back(typed);
    typed.name = "Range";
    typed.text = "Between";
    typed.fields = {{"", true, {"0.1", "0.3"}, true}};
    qs.push_back(typed);
    return qs;
}

std::vector<ExportQuestion> numbered(const std::vector<Question>& qs)
{
    std::vector<ExportQuestion> out;
    for (std::size_t k = 0; k < qs.size(); ++k)
        out.push_back({static_cast<int>(k + 1), qs[k], {}});
    return out;
}

// Through the set's records first, as an export of a set does.
std::vector<Question> throughRecords(const std::vector<Question>& qs)
{
    std::vector<Question> out;
    for (const Question& q : qs)
        out.push_back(QuestionOfRecord(QuestionRecord(q)));
    return out;
}

void expectSameRecords(const std::vector<Question>& expected, const std::vector<Question>& actual)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE("question " + std::to_string(k + 1));
        // Field by field, as the set stores them.
        EXPECT_EQ(QuestionRecord(actual[k]), QuestionRecord(expected[k]));
        EXPECT_EQ(actual[k].name, expected[k].name);
        EXPECT_EQ(actual[k].text, expected[k].text);
        EXPECT_EQ(actual[k].choices, expected[k].choices);
        EXPECT_EQ(actual[k].rightChoice, expected[k].rightChoice);
        ASSERT_EQ(actual[k].fields.size(), expected[k].fields.size());
        for (std::size_t f = 0; f < expected[k].fields.size(); ++f) {
            EXPECT_EQ(actual[k].fields[f].answers, expected[k].fields[f].answers);
            EXPECT_EQ(actual[k].fields[f].numeric, expected[k].fields[f].numeric);
            EXPECT_EQ(actual[k].fields[f].range, expected[k].fields[f].range);
        }
        ASSERT_EQ(actual[k].statements.size(), expected[k].statements.size());
        for (std::size_t s = 0; s < expected[k].statements.size(); ++s)
            EXPECT_EQ(actual[k].statements[s].isTrue, expected[k].statements[s].isTrue);
    }
}

TEST(RoundTrip, MoodleXmlKeepsEveryField)
{
    const std::vector<Question> set = throughRecords(everyKind());
    const ImportResult back = ReadMoodleXml(MoodleXmlText(numbered(set), "Unit 1 / Café"));
    EXPECT_TRUE(back.skipped.empty());
    EXPECT_EQ(back.category, "Unit 1 / Café");
    expectSameRecords(set, throughRecords(back.questions));
}

TEST(RoundTrip, GiftKeepsEveryField)
{
    const std::vector<Question> set = throughRecords(everyKind());
    const std::string gift = GiftText(numbered(set), "Geografie");
    const ImportResult back = ReadGift(gift);
    EXPECT_TRUE(back.skipped.empty()) << gift;
    EXPECT_EQ(back.category, "Geografie");
    expectSameRecords(set, throughRecords(back.questions));
}

// GIFT reads "=a -> b" as a pair of a matching question and has no escape
// for "->": a typed question with such an answer stays out of GIFT, listed
// by the export; Moodle XML carries it, and choices are HTML in GIFT.
TEST(RoundTrip, AnAnswerThatReadsAsAMatchingPairStaysOutOfGiftAndIsListed)
{
    Question arrow;
    arrow.kind = Kind::Typed;
    arrow.name = "Arrow";
    arrow.text = "What does the program print?";
    arrow.fields = {{"", false, {"a -> 1"}, false}};
    Question choice;
    choice.kind = Kind::Choice;
    choice.text = "Which maps?";
    choice.choices = {"x -> y", "y -> x"};
    choice.rightChoice = 0;
    const std::vector<Question> set = throughRecords({arrow, choice});

    expectSameRecords(set, throughRecords(ReadMoodleXml(MoodleXmlText(numbered(set), {})).questions));
    const ImportResult gift = ReadGift(GiftText(numbered(set), {}));
    EXPECT_TRUE(gift.skipped.empty()) << "nothing in the file reads as a matching question";
    expectSameRecords({set[1]}, throughRecords(gift.questions));

    OpenSet open;
    open.testDetails = "<TestName>Code</TestName>";
    for (std::size_t k = 0; k < set.size(); ++k)
        open.questionSlots[k + 1] = QuestionRecord(set[k]);
    test::TempFolder dir;
    LangStrings lang;
    lang.applyPack("0525 Question %1 is not in GIFT\n");
    const ExportOutcome outcome = ExportSetQuestions(open, dir.path("code.gift"), ExportFormat::Gift, lang);
    EXPECT_TRUE(outcome.written) << outcome.error;
    EXPECT_EQ(outcome.notes, std::vector<std::string>{"Question 1 is not in GIFT"});
}

// Several statements and several fields have no single form elsewhere.
TEST(RoundTrip, SeveralStatementsAndFieldsTakeTheNearestForm)
{
    Question tf;
    tf.kind = Kind::TrueFalse;
    tf.name = "Planets";
    tf.text = "Which are planets?";
    tf.statements = {{"Mars", true}, {"Moon", false}, {"Venus", true}};
    Question typed;
    typed.kind = Kind::Typed;
    typed.name = "Capitals";
    typed.text = "Name the capitals";
    typed.fields = {{"France", false, {"Paris"}, false}, {"Boiling point of water", true, {"99", "101"}, true}};
    const std::vector<ExportQuestion> qs = numbered({tf, typed});

    const ImportResult gift = ReadGift(GiftText(qs, {}));
    ASSERT_EQ(gift.questions.size(), 5u);
    EXPECT_EQ(gift.questions[0].name, "Planets (1)");
    EXPECT_EQ(gift.questions[1].text, "Which are planets?\nMoon");
    EXPECT_FALSE(gift.questions[1].statements.front().isTrue);
    EXPECT_EQ(gift.questions[3].text, "Name the capitals\nFrance");
    EXPECT_EQ(gift.questions[4].fields.front().answers, (std::vector<std::string>{"99", "101"}));

    const std::string xml = MoodleXmlText(qs, {});
    EXPECT_NE(xml.find("{1:SHORTANSWER:=Paris}"), std::string::npos) << xml;
    EXPECT_NE(xml.find("{1:NUMERICAL:=100:1}"), std::string::npos) << xml;
    const ImportResult moodle = ReadMoodleXml(xml);
    EXPECT_EQ(moodle.questions.size(), 3u);
    ASSERT_EQ(moodle.skipped.size(), 1u);
    EXPECT_EQ(moodle.skipped.front().reason, reason::kCloze);
}

TEST(RoundTrip, ImportedRangeReachesTheExpandedField)
{
    const ImportResult result = ReadGift("::R::Between {#3.5:0.5}\n");
    ASSERT_EQ(result.questions.size(), 1u);
    const std::string record = QuestionRecord(result.questions.front());
    const std::string field = "<vtField><FieldName>Field 1</FieldName><useRange>0</useRange></vtField>";
    const std::string filled = FillQuestionTemplate(field, record, TemplateForType(7));
    EXPECT_EQ(GetTag(filled, "useRange"), "1");
    EXPECT_EQ(GetTag(filled, "editRestriction"), "1");
    EXPECT_EQ(GetTag(filled, "FieldAnswer1"), "3");
    EXPECT_EQ(GetTag(filled, "FieldAnswer2"), "4");
    // A field without a range keeps the template's value.
    const std::string plain = FillQuestionTemplate(field, QuestionRecord(ReadGift("::E::Exactly {#4}\n").questions.front()),
                                                   TemplateForType(7));
    EXPECT_EQ(GetTag(plain, "useRange"), "0");
}

}  // namespace
}  // namespace dorvel::exchange
