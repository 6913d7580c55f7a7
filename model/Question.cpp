#include "model/Question.h"

#include "model/DefaultRecords.h"
#include "model/QuestionName.h"
#include "model/SetFields.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <algorithm>
#include <cstddef>

namespace dorvel {

namespace {

// Kind numbers of the record: choices 0..2, statements 3..6, fields 7..10.
constexpr int kFirstTrueFalseType = 3;
constexpr int kFirstTypedType = 7;
constexpr int kLastTypedType = 10;
// What a record without a kind has: four choices, as a new question.
constexpr int kDefaultType = 2;

std::string recordText(std::string_view record, std::string_view name)
{
    const std::string value = DecodeText(GetTag(record, name));
    return value == " " ? std::string() : value;  // an empty box is stored as one blank
}

// Stored as the editor stores typed text; an empty box holds one blank.
std::string storedText(std::string_view text)
{
    const std::string value = CleanText(text);
    return value.empty() ? std::string(" ") : value;
}

struct Shape {
    QuestionKind kind;
    int count;
};

Shape shapeOf(std::string_view record)
{
    const int type = GetTagInt(record, setfield::kQuestionType, kDefaultType);
    if (type >= 0 && type < kFirstTrueFalseType)
        return {QuestionKind::Choice, type + kMinChoices};
    if (type >= kFirstTrueFalseType && type < kFirstTypedType)
        return {QuestionKind::TrueFalse, type - kFirstTrueFalseType + 1};
    if (type >= kFirstTypedType && type <= kLastTypedType)
        return {QuestionKind::Typed, type - kFirstTypedType + 1};
    return {QuestionKind::Typed, 1};
}

int countOf(const Question& q)
{
    switch (q.kind) {
    case QuestionKind::Choice:
        return static_cast<int>(q.choices.size());
    case QuestionKind::TrueFalse:
        return static_cast<int>(q.statements.size());
    case QuestionKind::Typed:
        return static_cast<int>(q.fields.size());
    }
    return 0;
}

// The right choice a record names, counted from 0; out of range is the first.
int rightChoiceOf(std::string_view record, int count)
{
    const int right = GetTagInt(record, setfield::kSelectAnswer, 0);
    return right >= 0 && right < count ? right : 0;
}

// The choice a question marks right: the first of the highest weight.
int rightChoiceOf(const Question& q)
{
    int right = 0;
    for (std::size_t k = 1; k < q.choices.size(); ++k)
        if (q.choices[k].weight > q.choices[static_cast<std::size_t>(right)].weight)
            right = static_cast<int>(k);
    return right;
}

FieldKind fieldKindOf(std::string_view record, int f)
{
    return FieldKindOf(std::string(record), f);
}

// A range takes its bounds from the first two places, even empty; other
// fields accept every answer given, in the order of their places.
std::vector<Accepted> acceptedOf(std::string_view record, int f, FieldKind kind)
{
    std::vector<Accepted> accepted;
    if (kind == FieldKind::NumberRange) {
        for (int n = 0; n < 2; ++n)
            accepted.push_back({recordText(record, setfield::AnswerField(f, n)), {}});
        return accepted;
    }
    for (int n = 0; n < kMaxAccepted; ++n) {
        std::string text = recordText(record, setfield::AnswerField(f, n));
        if (!text.empty())
            accepted.push_back({std::move(text), {}});
    }
    return accepted;
}

bool sameTexts(const std::vector<Accepted>& a, const std::vector<Accepted>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Accepted& x, const Accepted& y) { return x.text == y.text; });
}

}  // namespace

int StoredQuestionType(QuestionKind kind, int count)
{
    switch (kind) {
    case QuestionKind::Choice:
        return std::clamp(count, kMinChoices, kMaxStoredChoices) - kMinChoices;
    case QuestionKind::TrueFalse:
        return std::clamp(count, 1, kMaxStoredStatements) - 1 + kFirstTrueFalseType;
    case QuestionKind::Typed:
        return std::clamp(count, 1, kMaxStoredFields) - 1 + kFirstTypedType;
    }
    return kDefaultType;
}

Question ReadQuestion(std::string_view record)
{
    Question q;
    const Shape shape = shapeOf(record);
    q.kind = shape.kind;
    q.enabled = GetTagInt(record, setfield::kQuestionDisabled, 0) != 1;
    q.name = QuestionName(std::string(record));
    q.text = recordText(record, setfield::kQuestionText);
    switch (shape.kind) {
    case QuestionKind::Choice: {
        const int right = rightChoiceOf(record, shape.count);
        for (int k = 1; k <= shape.count; ++k)
            q.choices.push_back({recordText(record, setfield::TextField(k)), k - 1 == right ? 1.0 : 0.0, {}});
        break;
    }
    case QuestionKind::TrueFalse:
        for (int k = 1; k <= shape.count; ++k)
            q.statements.push_back({recordText(record, setfield::TextField(k)), StatementIsTrue(record, k), {}, {}});
        break;
    case QuestionKind::Typed:
        for (int f = 1; f <= shape.count; ++f) {
            AnswerField field;
            field.label = recordText(record, setfield::TextField(f));
            field.kind = fieldKindOf(record, f);
            field.accepted = acceptedOf(record, f, field.kind);
            q.fields.push_back(std::move(field));
        }
        break;
    }
    return q;
}

std::string WriteQuestion(const Question& q, std::string_view old)
{
    // Each element is compared by what it means, not by its bytes, and only
    // rewritten when that differs: a record read and written back unchanged
    // keeps every byte, malformed values and blanks included.
    std::string r(old.empty() ? std::string_view(DefaultQuestionRecord()) : old);
    const Question before = ReadQuestion(r);
    const int count = std::clamp(countOf(q), q.kind == QuestionKind::Choice ? kMinChoices : 1,
                                 q.kind == QuestionKind::Choice ? kMaxStoredChoices : kMaxStoredFields);
    if (before.kind != q.kind || countOf(before) != count)
        r = SetTag(r, setfield::kQuestionType, std::to_string(StoredQuestionType(q.kind, count)));
    if (before.enabled != q.enabled)
        r = SetTag(r, setfield::kQuestionDisabled, q.enabled ? "0" : "1");
    if (before.name != q.name)
        r = WithQuestionName(r, q.name);
    if (before.text != q.text)
        r = SetTag(r, setfield::kQuestionText, storedText(q.text));

    auto putText = [&r](int k, const std::string& text) {
        const std::string name = setfield::TextField(k);
        if (recordText(r, name) != text)
            r = SetTag(r, name, storedText(text));
    };
    const auto n = static_cast<std::size_t>(count);
    switch (q.kind) {
    case QuestionKind::Choice:
        for (std::size_t k = 0; k < n && k < q.choices.size(); ++k)
            putText(static_cast<int>(k) + 1, q.choices[k].text);
        if (rightChoiceOf(r, count) != rightChoiceOf(q))
            r = SetTag(r, setfield::kSelectAnswer, std::to_string(rightChoiceOf(q)));
        break;
    case QuestionKind::TrueFalse:
        for (std::size_t k = 0; k < n && k < q.statements.size(); ++k) {
            const int number = static_cast<int>(k) + 1;
            putText(number, q.statements[k].text);
            if (StatementIsTrue(r, number) != q.statements[k].isTrue)
                r = SetTag(r, setfield::StatementAnswerField(number), q.statements[k].isTrue ? "1" : "0");
        }
        break;
    case QuestionKind::Typed:
        for (std::size_t k = 0; k < n && k < q.fields.size(); ++k) {
            const AnswerField& field = q.fields[k];
            const int f = static_cast<int>(k) + 1;
            putText(f, field.label);
            if (fieldKindOf(r, f) != field.kind)
                r = WithFieldKind(r, f, field.kind);
            if (sameTexts(acceptedOf(r, f, field.kind), field.accepted))
                continue;
            // Written place by place, the places after the last answer emptied.
            for (int a = 0; a < kMaxAccepted; ++a) {
                const auto place = static_cast<std::size_t>(a);
                const std::string text = place < field.accepted.size() ? field.accepted[place].text : std::string();
                const std::string name = setfield::AnswerField(f, a);
                if (recordText(r, name) != text)
                    r = SetTag(r, name, storedText(text));
            }
        }
        break;
    }
    return r;
}

}  // namespace dorvel
