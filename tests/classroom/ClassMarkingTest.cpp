// The teacher's side's marks and the check of what a page sends.
#include "classroom/ClassMarking.h"

#include <gtest/gtest.h>

namespace {

using namespace dorvel::classroom;
using dorvel::Accepted;
using dorvel::AnswerField;
using dorvel::Choice;
using dorvel::FieldKind;
using dorvel::QuestionKind;
using dorvel::Statement;

ClassQuestion ChoiceQuestion()
{
    ClassQuestion q{4, {}};
    q.question.kind = QuestionKind::Choice;
    q.question.choices = {Choice{"Danube", 0, ""}, Choice{"Rhine", 1, ""}, Choice{"Loire", 0, ""}};
    return q;
}

ClassQuestion TrueFalseQuestion()
{
    ClassQuestion q{5, {}};
    q.question.kind = QuestionKind::TrueFalse;
    q.question.statements = {Statement{"Paris is on the Seine", true, "", ""}, Statement{"Rome is on the Rhine", false, "", ""}};
    return q;
}

ClassQuestion TypedQuestion()
{
    ClassQuestion q{6, {}};
    q.question.kind = QuestionKind::Typed;
    q.question.fields = {AnswerField{"River", FieldKind::AnyText, {Accepted{"Rhine", ""}, Accepted{"Rhein", ""}}, ""},
                         AnswerField{"Length (km)", FieldKind::Numbers, {Accepted{"1230", ""}}, ""},
                         AnswerField{"Countries", FieldKind::NumberRange, {Accepted{"7", ""}, Accepted{"5", ""}}, ""}};
    return q;
}

ClassQuestion ManyRight()
{
    ClassQuestion q{8, {}};
    q.question.kind = QuestionKind::Choice;
    q.question.manyRight = true;
    q.question.choices = {Choice{"Rhine", 0.5, ""}, Choice{"Thames", -1, ""}, Choice{"Danube", 0.5, ""}};
    return q;
}

TEST(ClassMarking, MarksEachKindByItsRules)
{
    struct Case {
        const char* what;
        ClassQuestion question;
        Response response;
        double score;
        double max;
    };
    const Case cases[] = {
        {"the right choice", ChoiceQuestion(), {{1}, {}, {}}, 1, 1},
        {"a wrong choice", ChoiceQuestion(), {{2}, {}, {}}, 0, 1},
        {"the right choice with a wrong one", ChoiceQuestion(), {{1, 2}, {}, {}}, 0, 1},
        {"no choice", ChoiceQuestion(), {}, 0, 1},
        {"both statements right", TrueFalseQuestion(), {{}, {1, 0}, {}}, 2, 2},
        {"one statement right, one left", TrueFalseQuestion(), {{}, {1, -1}, {}}, 1, 2},
        {"both statements wrong", TrueFalseQuestion(), {{}, {0, 1}, {}}, 0, 2},
        {"every field right, blanks and case aside", TypedQuestion(), {{}, {}, {"  rHEIN ", "1230", "6"}}, 3, 3},
        {"a number written with a comma, range bounds inclusive", TypedQuestion(), {{}, {}, {"Rhine", "1230,0", "5"}}, 3, 3},
        {"the upper bound of a range", TypedQuestion(), {{}, {}, {"", "", "7"}}, 1, 3},
        {"just outside the range, a text in a number field", TypedQuestion(), {{}, {}, {"Rhone", "twelve", "7.01"}}, 0, 3},
        {"several right: one of two right choices", ManyRight(), {{0}, {}, {}}, 0.5, 1},
        {"several right: both right choices", ManyRight(), {{0, 2}, {}, {}}, 1, 1},
        {"several right: a wrong choice takes away, floored at 0", ManyRight(), {{0, 1}, {}, {}}, 0, 1},
        {"fewer fields than the question has", TypedQuestion(), {{}, {}, {"Rhine"}}, 1, 3},
    };
    for (const Case& c : cases) {
        const Mark mark = MarkResponse(c.question, c.response);
        EXPECT_EQ(mark.score, c.score) << c.what;
        EXPECT_EQ(mark.max, c.max) << c.what;
        EXPECT_EQ(mark.parts.size(), c.question.question.kind == QuestionKind::Choice ? 1u : static_cast<std::size_t>(c.max))
            << c.what;
    }
}

TEST(ClassMarking, RefusesWhatTheQuestionCannotHaveBeenGiven)
{
    struct Case {
        ClassQuestion question;
        std::string json;
        bool taken;
    };
    const std::string longText(kMaxTypedChars + 1, 'x');
    const Case cases[] = {
        {ChoiceQuestion(), R"({"chosen":[2]})", true},
        {ChoiceQuestion(), R"({"chosen":[3]})", false},
        {ChoiceQuestion(), R"({"chosen":[-1]})", false},
        {ChoiceQuestion(), R"({"chosen":[1,1]})", false},
        {ChoiceQuestion(), R"({"chosen":[0.5]})", false},
        {ChoiceQuestion(), R"({"chosen":"1"})", false},
        {ChoiceQuestion(), R"({"typed":["Rhine"]})", false},
        {TrueFalseQuestion(), R"({"statements":[1,-1]})", true},
        {TrueFalseQuestion(), R"({"statements":[1,0,1]})", false},
        {TrueFalseQuestion(), R"({"statements":[2]})", false},
        {TypedQuestion(), R"({"typed":["a","b","c"]})", true},
        {TypedQuestion(), R"({"typed":["a","b","c","d"]})", false},
        {TypedQuestion(), R"({"typed":[1]})", false},
        {TypedQuestion(), "{\"typed\":[\"" + longText + "\"]}", false},
        {TypedQuestion(), "[1]", false},
        {TypedQuestion(), "not json", false},
    };
    for (const Case& c : cases) {
        Response response;
        std::string error;
        EXPECT_EQ(ReadResponse(c.json, c.question, response, error), c.taken) << c.json.substr(0, 80);
        EXPECT_EQ(error.empty(), c.taken) << c.json.substr(0, 80);
    }
}

TEST(ClassMarking, AResponseReadsBackFromItsJsonAndCountsAlikeWhenItMeansTheSame)
{
    const ClassQuestion typed = TypedQuestion();
    const Response given{{}, {}, {"Köln  am\tRhein", "", "5"}};
    Response back;
    std::string error;
    ASSERT_TRUE(ReadResponse(ResponseJson(given), typed, back, error)) << error;
    EXPECT_EQ(back, given);
    EXPECT_EQ(ResponseText(typed, given), "Köln am Rhein, , 5");
    EXPECT_EQ(ResponseText(ChoiceQuestion(), {{2, 0}, {}, {}}), ResponseText(ChoiceQuestion(), {{0, 2}, {}, {}}));
    EXPECT_EQ(ResponseText(TrueFalseQuestion(), {{}, {1, -1}, {}}), "T, -");
}

}  // namespace
