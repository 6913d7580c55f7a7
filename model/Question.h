#pragma once

#include "model/FieldKind.h"

#include <string>
#include <string_view>
#include <vector>

// A question of a set as a value with typed fields. The set keeps each
// question as a tagged-text record (model/SetFields.h names its elements);
// ReadQuestion reads one and WriteQuestion writes one back, so that callers
// work with kinds, choices and fields instead of element names and numbers.
//
// Texts here are the stored text decoded to UTF-8 (storage/TextCodec.h), with
// the inline marks the web test renders (<b>, <i>, <u>, <sub>, <sup>) as the
// author typed them; an empty box (stored as one blank) is "".
namespace dorvel {

enum class QuestionKind { Choice,
                          TrueFalse,
                          Typed };

struct Choice {
    std::string text;
    // -1..1: what choosing it adds to the score. Today's sets have one right
    // choice (1) among wrong ones (0).
    double weight = 0;
    std::string feedback;
};

struct Statement {
    std::string text;
    bool isTrue = true;
    std::string feedbackTrue, feedbackFalse;
};

struct Accepted {
    std::string text;
    std::string feedback;
};

struct AnswerField {
    std::string label;  // the text beside the box
    FieldKind kind = FieldKind::AnyText;
    // The answers accepted, in the order stored. A NumberRange field has
    // exactly two: the lowest and the highest number (either may be "" in
    // a record that left it out).
    std::vector<Accepted> accepted;
    std::string otherFeedback;  // for any answer not accepted
};

// Where a set's record keeps it: 2..4 choices, 1..4 statements, 1..4 fields.
inline constexpr int kMinChoices = 2;
inline constexpr int kMaxStoredChoices = 4;
inline constexpr int kMaxStoredStatements = 4;
inline constexpr int kMaxStoredFields = 4;
// Accepted answers per typed field.
inline constexpr int kMaxAccepted = 10;

struct Question {
    QuestionKind kind = QuestionKind::Choice;
    bool enabled = true;  // false: left out of every output
    std::string name;     // the name other question banks know it by ("" none)
    // A heading of its own; today's records have none and leave it "".
    std::string title;
    std::string text;  // what the student reads (the record's "Title")
    std::string generalFeedback;
    bool manyRight = false;             // Choice: "choose all that apply"
    bool shuffle = false;               // the choices in a random order of their own
    std::vector<Choice> choices;        // Choice
    std::vector<Statement> statements;  // TrueFalse
    std::vector<AnswerField> fields;    // Typed
    // The picture and the sound stay in the record's media fields
    // (media/QuestionMedia.h), which need the set's folder to resolve.
};

// The question a record holds. Never fails: a missing or malformed element
// reads as a new question has it (model/DefaultRecords.h), a kind number out
// of range as a typed question with one field, a right choice out of range
// as the first.
Question ReadQuestion(std::string_view record);

// `old` (the record the question was read from, or "" for a new one, which
// starts from the default record) with the question written into it. Only
// the elements whose meaning changed are rewritten, and elements this type
// does not know (media, name, elements of later versions) are kept, so
// WriteQuestion(ReadQuestion(r), r) == r byte for byte. A question today's
// record cannot hold (more than four choices, weights other than one right,
// feedback) keeps what fits: the rest is left out.
std::string WriteQuestion(const Question& q, std::string_view old);

// The kind number the record stores (setfield::kQuestionType) for a kind and
// its count of choices, statements or fields, and back.
int StoredQuestionType(QuestionKind kind, int count);

}  // namespace dorvel
