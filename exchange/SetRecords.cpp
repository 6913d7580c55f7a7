#include "exchange/SetRecords.h"

#include "media/QuestionMedia.h"
#include "model/DefaultRecords.h"
#include "model/QuestionName.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

namespace dorvel::exchange {

namespace {

// Stored as the editor stores typed text; an empty field holds one blank.
std::string stored(const std::string& text)
{
    const std::string value = CleanText(text);
    return value.empty() ? std::string(" ") : value;
}

std::string read(const std::string& record, const std::string& name)
{
    const std::string value = DecodeText(GetTag(record, name));
    return value == " " ? std::string() : value;
}

std::string answerName(int field, int n)
{
    return "a" + std::to_string(field) + std::to_string(n);
}

}  // namespace

std::string QuestionRecord(const Question& q)
{
    std::string r = DefaultQuestionRecord();
    auto set = [&r](const std::string& name, const std::string& value) { r = SetTag(r, name, value); };
    set("Title", stored(q.text));
    r = WithQuestionName(r, q.name);
    switch (q.kind) {
    case Kind::Choice:
        set("qType", std::to_string(static_cast<int>(q.choices.size()) - 2));
        for (std::size_t k = 0; k < q.choices.size(); ++k)
            set("Text" + std::to_string(k + 1), stored(q.choices[k]));
        set("SelectAnswer", std::to_string(q.rightChoice));
        break;
    case Kind::TrueFalse:
        set("qType", std::to_string(static_cast<int>(q.statements.size()) + 2));
        for (std::size_t k = 0; k < q.statements.size(); ++k) {
            set("Text" + std::to_string(k + 1), stored(q.statements[k].text));
            set("tf" + std::to_string(k + 1), q.statements[k].isTrue ? "1" : "0");
        }
        break;
    case Kind::Typed:
        set("qType", std::to_string(static_cast<int>(q.fields.size()) + 6));
        for (std::size_t f = 0; f < q.fields.size(); ++f) {
            const AnswerField& field = q.fields[f];
            const int number = static_cast<int>(f) + 1;
            set("Text" + std::to_string(number), stored(field.label));
            set("tType" + std::to_string(number), field.numeric ? "1" : "0");
            if (field.range)
                set("useRange" + std::to_string(number), "1");
            for (std::size_t n = 0; n < field.answers.size() && n < 10; ++n)
                set(answerName(number, static_cast<int>(n)), stored(field.answers[n]));
        }
        break;
    }
    return r;
}

Question QuestionOfRecord(const std::string& record)
{
    Question q;
    q.name = QuestionName(record);
    q.text = read(record, "Title");
    // The picture's file is the caller's to find (it depends on the set's
    // folder); its description travels with the question.
    q.picture.alt = QuestionPictureDescription(record);
    const int type = GetTagInt(record, "qType", 2);
    if (type >= 0 && type <= 2) {
        q.kind = Kind::Choice;
        for (int k = 1; k <= type + 2; ++k)
            q.choices.push_back(read(record, "Text" + std::to_string(k)));
        q.rightChoice = GetTagInt(record, "SelectAnswer", 0);
        if (q.rightChoice < 0 || q.rightChoice >= type + 2)
            q.rightChoice = 0;
    } else if (type >= 3 && type <= 6) {
        q.kind = Kind::TrueFalse;
        for (int k = 1; k <= type - 2; ++k)
            q.statements.push_back({read(record, "Text" + std::to_string(k)), StatementIsTrue(record, k)});
    } else {
        q.kind = Kind::Typed;
        const int count = type >= 7 && type <= 10 ? type - 6 : 1;
        for (int f = 1; f <= count; ++f) {
            AnswerField field;
            field.label = read(record, "Text" + std::to_string(f));
            field.numeric = GetTagInt(record, "tType" + std::to_string(f), 0) == 1;
            field.range = field.numeric && GetTagInt(record, "useRange" + std::to_string(f), 0) == 1;
            for (int n = 0; n < 10; ++n) {
                const std::string answer = read(record, answerName(f, n));
                if (!answer.empty())
                    field.answers.push_back(answer);
            }
            if (field.range && field.answers.size() < 2)
                field.range = false;
            if (field.range)
                field.answers.resize(2);
            q.fields.push_back(field);
        }
    }
    return q;
}

std::vector<OpenSet> SetsOfQuestions(const std::vector<Question>& questions, const std::string& name)
{
    std::vector<OpenSet> sets;
    for (std::size_t first = 0; first < questions.size(); first += kMaxQuestions) {
        OpenSet set;
        set.testDetails = NewSetDetails();
        if (!name.empty()) {
            const std::string part = sets.empty() ? name : name + " (" + std::to_string(sets.size() + 1) + ")";
            set.testDetails = SetTag(set.testDetails, "TestName", stored(part));
        }
        set.questionSlots[0] = DefaultQuestionRecord();
        for (std::size_t k = 0; k < kMaxQuestions && first + k < questions.size(); ++k)
            set.questionSlots[k + 1] = QuestionRecord(questions[first + k]);
        sets.push_back(std::move(set));
    }
    return sets;
}

std::vector<NumberedQuestion> QuestionsOfSet(const OpenSet& set)
{
    std::vector<NumberedQuestion> out;
    const int count = set.questionCount();
    for (int n = 1; n <= count; ++n) {
        const std::string& record = set.questionSlots[static_cast<std::size_t>(n)];
        if (GetTagInt(record, "qDisabled", 0) == 1)
            continue;
        out.push_back({n, QuestionOfRecord(record)});
    }
    return out;
}

}  // namespace dorvel::exchange
