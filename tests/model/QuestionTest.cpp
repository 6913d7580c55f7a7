// The question as a type over the stored record: every record today's
// program writes (and older or hand-made ones) reads into a Question and
// writes back to the same bytes, and a question changed by a caller reads
// back as it was written.
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "model/Question.h"
#include "model/SetFile.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvel {
namespace {

std::vector<std::string> recordsOfSet(const std::string& path)
{
    OpenSet set;
    EXPECT_EQ(ReadSetFile(path, set), SetFileStatus::Ok) << path;
    std::vector<std::string> records;
    for (const std::string& slot : set.questionSlots)
        if (!slot.empty())
            records.push_back(slot);
    return records;
}

// Records no editor writes but old versions, other tools or hands did.
// ("" is no record: writing into it starts a new question.)
const char* const kOddRecords[] = {
    "<qDisabled>0</qDisabled>",
    "<qType>x</qType>",
    "<qType>-1</qType><Title>a</Title>",
    "<qType>11</qType><Text1>label</Text1><a10>7</a10>",
    "<qType> 1</qType><SelectAnswer>9</SelectAnswer><Text1>a</Text1><Text2>b</Text2><Text3>c</Text3>",
    "<qType>1</qType><SelectAnswer>-1</SelectAnswer>",
    "<qType>1</qType><SelectAnswer>2.0</SelectAnswer>",
    "<qType>4</qType><tf1>maybe</tf1><tf2>0</tf2><tf3></tf3>",
    "<qType>8</qType><tType1>1</tType1><useRange1>1</useRange1><a11>9</a11><tType2>2</tType2><a20>x</a20><a25>y</a25>",
    "<qType>7</qType><tType1>0</tType1><useRange1>1</useRange1><a10>5</a10><a11>10</a11>",
    "<qDisabled>1</qDisabled><qDisabled>0</qDisabled><Title>  two  blanks  </Title><later>kept</later>",
    "<qType>2</qType><Title>Q&amp;A &#233; \xa3 <b>bold</b></Title><qName>n&#228;me</qName>"
    "<qPictureAbs>/p.png</qPictureAbs><qPictureRel>p.png</qPictureRel>",
    "<Title>unclosed",
};

TEST(Question, EveryRecordWrittenBackUnchangedIsTheSameBytes)
{
    std::vector<std::string> records = recordsOfSet(std::string(DORVEL_SOURCE_DIR) + "/tests/storage/frozen/set.vtd");
    ASSERT_GE(records.size(), 5u);
    const std::vector<std::string> sample = recordsOfSet(std::string(DORVEL_SOURCE_DIR) + "/data/samples/General Knowledge.txt");
    ASSERT_GE(sample.size(), 10u);
    records.insert(records.end(), sample.begin(), sample.end());
    records.push_back(DefaultQuestionRecord());
    records.insert(records.end(), std::begin(kOddRecords), std::end(kOddRecords));
    for (const std::string& record : records)
        EXPECT_EQ(WriteQuestion(ReadQuestion(record), record), record) << record.substr(0, 200);
}

struct ReadCase {
    const char* record;
    QuestionKind kind;
    int count;
    int right;  // Choice: the choice of weight 1
};

TEST(Question, ReadsKindCountAndRightChoiceAsTheOutputsDo)
{
    const ReadCase cases[] = {
        {"", QuestionKind::Choice, 4, 0},  // a record without a kind is a new question's
        {"<qType>0</qType><SelectAnswer>1</SelectAnswer>", QuestionKind::Choice, 2, 1},
        {"<qType>0</qType><SelectAnswer>2</SelectAnswer>", QuestionKind::Choice, 2, 0},
        {"<qType>2</qType><SelectAnswer>3</SelectAnswer>", QuestionKind::Choice, 4, 3},
        {"<qType>2</qType><SelectAnswer> </SelectAnswer>", QuestionKind::Choice, 4, 0},
        {"<qType>3</qType>", QuestionKind::TrueFalse, 1, -1},
        {"<qType>6</qType>", QuestionKind::TrueFalse, 4, -1},
        {"<qType>7</qType>", QuestionKind::Typed, 1, -1},
        {"<qType>10</qType>", QuestionKind::Typed, 4, -1},
        {"<qType>11</qType>", QuestionKind::Typed, 1, -1},
        {"<qType>-1</qType>", QuestionKind::Typed, 1, -1},
        {"<qType>two</qType>", QuestionKind::Choice, 4, 0},
    };
    for (const ReadCase& c : cases) {
        const Question q = ReadQuestion(c.record);
        EXPECT_EQ(q.kind, c.kind) << c.record;
        const std::size_t count = c.kind == QuestionKind::Choice ? q.choices.size()
            : c.kind == QuestionKind::TrueFalse                  ? q.statements.size()
                                                                 : q.fields.size();
        EXPECT_EQ(count, static_cast<std::size_t>(c.count)) << c.record;
        for (std::size_t k = 0; k < q.choices.size(); ++k)
            EXPECT_EQ(q.choices[k].weight, static_cast<int>(k) == c.right ? 1.0 : 0.0) << c.record << " choice " << k;
    }
}

TEST(Question, ReadsTextsStatementsAndFieldsDecoded)
{
    const Question q = ReadQuestion("<qType>9</qType><Title>Caf&#233; \xa3</Title><qDisabled>1</qDisabled>"
                                    "<Text1> </Text1><Text2>Length</Text2><Text3>Year</Text3>"
                                    "<tType1>0</tType1><a10> </a10><a11>Paris</a11><a13>paris </a13>"
                                    "<tType2>1</tType2><useRange2>1</useRange2><a21>3,5</a21><a22>9</a22>"
                                    "<tType3>1</tType3><a30>1066</a30>");
    EXPECT_EQ(q.text, "Caf\xc3\xa9 \xc2\xa3");
    EXPECT_FALSE(q.enabled);
    ASSERT_EQ(q.fields.size(), 3u);
    EXPECT_EQ(q.fields[0].label, "");
    EXPECT_EQ(q.fields[0].kind, FieldKind::AnyText);
    ASSERT_EQ(q.fields[0].accepted.size(), 2u);  // empty places are no answer
    EXPECT_EQ(q.fields[0].accepted[0].text, "Paris");
    EXPECT_EQ(q.fields[0].accepted[1].text, "paris ");
    // A range's bounds are its first two places, as the web test reads them.
    EXPECT_EQ(q.fields[1].kind, FieldKind::NumberRange);
    ASSERT_EQ(q.fields[1].accepted.size(), 2u);
    EXPECT_EQ(q.fields[1].accepted[0].text, "");
    EXPECT_EQ(q.fields[1].accepted[1].text, "3,5");
    EXPECT_EQ(q.fields[2].kind, FieldKind::Numbers);

    const Question tf = ReadQuestion("<qType>5</qType><Text2>Two</Text2><tf1>0</tf1><tf2>x</tf2>");
    ASSERT_EQ(tf.statements.size(), 3u);
    EXPECT_FALSE(tf.statements[0].isTrue);
    EXPECT_TRUE(tf.statements[1].isTrue);  // malformed reads as a new statement: true
    EXPECT_EQ(tf.statements[1].text, "Two");
}

// Questions as a caller makes them; each written into `old` reads back as
// itself, and what it does not change of `old` stays.
TEST(Question, WrittenQuestionsReadBackAsWritten)
{
    Question choice;
    choice.kind = QuestionKind::Choice;
    choice.text = "Which is <b>right</b>? \xc3\xa9 \"q\" & <sub>2</sub>";
    choice.name = "n1";
    choice.choices = {{"a", 0, {}}, {"b", 0, {}}, {"c", 1, {}}};

    Question tf;
    tf.kind = QuestionKind::TrueFalse;
    tf.enabled = false;
    tf.text = "Line one\nline two";
    tf.statements = {{"yes", true, {}, {}}, {"no", false, {}, {}}, {"", false, {}, {}}, {"four", true, {}, {}}};

    Question typed;
    typed.kind = QuestionKind::Typed;
    typed.text = "Type";
    typed.fields = {{"Word", FieldKind::AnyText, {{"Stra\xc3\x9f"
                                                   "e",
                                                   {}},
                                                  {"road", {}}},
                     {}},
                    {"Number", FieldKind::Numbers, {{"0,5", {}}}, {}},
                    {"Range", FieldKind::NumberRange, {{"10", {}}, {"2", {}}}, {}}};

    const std::string oldRecords[] = {"", DefaultQuestionRecord(), "<qType>9</qType><a10>old</a10><a15>gone</a15><x>kept</x>",
                                      "<qType>4</qType><tf1>0</tf1><SelectAnswer>3</SelectAnswer><qName>old</qName>"};
    for (const Question& q : {choice, tf, typed}) {
        for (const std::string& old : oldRecords) {
            const std::string record = WriteQuestion(q, old);
            const Question back = ReadQuestion(record);
            EXPECT_EQ(back.kind, q.kind) << record;
            EXPECT_EQ(back.enabled, q.enabled) << record;
            EXPECT_EQ(back.name, q.name) << record;
            EXPECT_EQ(back.text, q.text) << record;
            ASSERT_EQ(back.choices.size(), q.choices.size()) << record;
            for (std::size_t k = 0; k < q.choices.size(); ++k) {
                EXPECT_EQ(back.choices[k].text, q.choices[k].text) << record;
                EXPECT_EQ(back.choices[k].weight, q.choices[k].weight) << record;
            }
            ASSERT_EQ(back.statements.size(), q.statements.size()) << record;
            for (std::size_t k = 0; k < q.statements.size(); ++k) {
                EXPECT_EQ(back.statements[k].text, q.statements[k].text) << record;
                EXPECT_EQ(back.statements[k].isTrue, q.statements[k].isTrue) << record;
            }
            ASSERT_EQ(back.fields.size(), q.fields.size()) << record;
            for (std::size_t f = 0; f < q.fields.size(); ++f) {
                EXPECT_EQ(back.fields[f].label, q.fields[f].label) << record;
                EXPECT_EQ(back.fields[f].kind, q.fields[f].kind) << record;
                ASSERT_EQ(back.fields[f].accepted.size(), q.fields[f].accepted.size()) << record;
                for (std::size_t a = 0; a < q.fields[f].accepted.size(); ++a)
                    EXPECT_EQ(back.fields[f].accepted[a].text, q.fields[f].accepted[a].text) << record;
            }
            if (old.find("<x>kept</x>") != std::string::npos) {
                EXPECT_NE(record.find("<x>kept</x>"), std::string::npos) << record;
            }
            // Written a second time: nothing left to change.
            EXPECT_EQ(WriteQuestion(back, record), record);
        }
    }
}

TEST(Question, ANewQuestionIsTheDefaultRecordAndOneChangeTouchesOneElement)
{
    const Question fresh = ReadQuestion(DefaultQuestionRecord());
    EXPECT_EQ(WriteQuestion(fresh, ""), DefaultQuestionRecord());
    Question q = fresh;
    q.choices[1].weight = 1;
    q.choices[0].weight = 0;
    EXPECT_EQ(WriteQuestion(q, DefaultQuestionRecord()), SetTag(DefaultQuestionRecord(), "SelectAnswer", "1"));
    q = fresh;
    q.text = "  New   text ";
    EXPECT_EQ(WriteQuestion(q, DefaultQuestionRecord()), SetTag(DefaultQuestionRecord(), "Title", "New text"));
}

TEST(Question, KindNumbersOfEachKindAndCountAtBothEnds)
{
    EXPECT_EQ(StoredQuestionType(QuestionKind::Choice, 2), 0);
    EXPECT_EQ(StoredQuestionType(QuestionKind::Choice, 4), 2);
    EXPECT_EQ(StoredQuestionType(QuestionKind::Choice, 10), 2);  // more than a record holds: the first four
    EXPECT_EQ(StoredQuestionType(QuestionKind::TrueFalse, 1), 3);
    EXPECT_EQ(StoredQuestionType(QuestionKind::TrueFalse, 4), 6);
    EXPECT_EQ(StoredQuestionType(QuestionKind::Typed, 1), 7);
    EXPECT_EQ(StoredQuestionType(QuestionKind::Typed, 4), 10);
    EXPECT_EQ(StoredQuestionType(QuestionKind::Typed, 0), 7);
}

}  // namespace
}  // namespace dorvel
