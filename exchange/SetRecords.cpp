#include "exchange/SetRecords.h"

#include "media/QuestionMedia.h"
#include "model/DefaultRecords.h"
#include "model/Question.h"
#include "model/QuestionName.h"
#include "model/SetFields.h"
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

std::string answerName(int field, int n)
{
    return setfield::AnswerField(field, n);
}

}  // namespace

std::string QuestionRecord(const Question& q)
{
    std::string r = DefaultQuestionRecord();
    auto set = [&r](std::string_view name, const std::string& value) { r = SetTag(r, name, value); };
    set(setfield::kQuestionText, stored(q.text));
    r = WithQuestionName(r, q.name);
    switch (q.kind) {
    case Kind::Choice:
        set(setfield::kQuestionType, std::to_string(static_cast<int>(q.choices.size()) - 2));
        for (std::size_t k = 0; k < q.choices.size(); ++k)
            set(setfield::TextField(k + 1), stored(q.choices[k]));
        set(setfield::kSelectAnswer, std::to_string(q.rightChoice));
        break;
    case Kind::TrueFalse:
        set(setfield::kQuestionType, std::to_string(static_cast<int>(q.statements.size()) + 2));
        for (std::size_t k = 0; k < q.statements.size(); ++k) {
            set(setfield::TextField(k + 1), stored(q.statements[k].text));
            set(setfield::StatementAnswerField(k + 1), q.statements[k].isTrue ? "1" : "0");
        }
        break;
    case Kind::Typed:
        set(setfield::kQuestionType, std::to_string(static_cast<int>(q.fields.size()) + 6));
        for (std::size_t f = 0; f < q.fields.size(); ++f) {
            const AnswerField& field = q.fields[f];
            const int number = static_cast<int>(f) + 1;
            set(setfield::TextField(number), stored(field.label));
            set(setfield::FieldTypeField(number), field.numeric ? "1" : "0");
            if (field.range)
                set(setfield::FieldRangeField(number), "1");
            for (std::size_t n = 0; n < field.answers.size() && n < 10; ++n)
                set(answerName(number, static_cast<int>(n)), stored(field.answers[n]));
        }
        break;
    }
    return r;
}

Question QuestionOfRecord(const std::string& record)
{
    // The set's question type reads the record as every other output does;
    // this only narrows it to what the other formats carry.
    const dorvel::Question stored = ReadQuestion(record);
    Question q;
    q.name = stored.name;
    q.text = stored.text;
    // The picture's file is the caller's to find (it depends on the set's
    // folder); its description travels with the question.
    q.picture.alt = QuestionPictureDescription(record);
    switch (stored.kind) {
    case QuestionKind::Choice:
        q.kind = Kind::Choice;
        for (std::size_t k = 0; k < stored.choices.size(); ++k) {
            q.choices.push_back(stored.choices[k].text);
            if (stored.choices[k].weight > 0)
                q.rightChoice = static_cast<int>(k);
        }
        break;
    case QuestionKind::TrueFalse:
        q.kind = Kind::TrueFalse;
        for (const dorvel::Statement& s : stored.statements)
            q.statements.push_back({s.text, s.isTrue});
        break;
    case QuestionKind::Typed:
        q.kind = Kind::Typed;
        for (const dorvel::AnswerField& f : stored.fields) {
            AnswerField field;
            field.label = f.label;
            field.numeric = f.kind != FieldKind::AnyText;
            for (const Accepted& a : f.accepted)
                if (!a.text.empty())
                    field.answers.push_back(a.text);
            // A range whose bounds are not both there is a numbers field.
            field.range = f.kind == FieldKind::NumberRange && field.answers.size() == 2;
            q.fields.push_back(std::move(field));
        }
        break;
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
            set.testDetails = SetTag(set.testDetails, setfield::kTestName, stored(part));
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
        if (GetTagInt(record, setfield::kQuestionDisabled, 0) == 1)
            continue;
        out.push_back({n, QuestionOfRecord(record)});
    }
    return out;
}

}  // namespace dorvel::exchange
