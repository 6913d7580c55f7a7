#pragma once

#include "media/MediaCheck.h"

#include <cstddef>
#include <string>
#include <vector>

// The questions that travel between Dorvel and other question formats, in a
// form between the set's records and the files: every reader makes these,
// every writer takes them. Texts are UTF-8 with the inline marks the web
// test renders (<b>, <i>, <u>, <sub>, <sup>) written as typed.
namespace dorvel::exchange {

// One answer field of a typed-answer question.
struct AnswerField {
    std::string label;     // the text beside the field ("" for none)
    bool numeric = false;  // only decimal numbers may be typed
    // Accepted answers; for a numeric range the two bounds, low first.
    std::vector<std::string> answers;
    bool range = false;  // numeric: any number between the two bounds
};

struct Statement {
    std::string text;
    bool isTrue = true;
};

enum class Kind {
    Choice,     // one right choice among two to four
    TrueFalse,  // one to four statements
    Typed,      // one to four answer fields
};

// A question's picture as a file carried it (Moodle XML embeds the files of
// a question's text). The bytes have passed the media checks; the name is
// the file's own and may be anything, so it is never used as a path as it is.
struct QuestionPicture {
    std::string name;
    std::string bytes;  // empty: the question has no picture
    std::string alt;    // what it shows, as the file describes it ("" for none)
};

struct Question {
    Kind kind = Kind::Choice;
    std::string name;  // "" when the file gave none
    std::string text;
    std::vector<std::string> choices;   // Choice
    int rightChoice = 0;                // Choice: index into choices
    std::vector<Statement> statements;  // TrueFalse
    std::vector<AnswerField> fields;    // Typed
    int position = 0;                   // among the questions of the file it came from
    QuestionPicture picture;
    // The last part of the category the file put it in ("" for none), for
    // an import that makes a set of each category.
    std::string category;
};

// A question of the file that did not become one of ours.
struct Skipped {
    int position = 0;  // 1-based, among the questions of the file
    std::string name;  // the question's name, or the start of its text
    int reason = 0;    // language entry (exchange/Reasons.h)
};

// A part of an imported question that did not come in with it (a picture
// that was refused, a further file); the question itself did.
struct LeftOut {
    int position = 0;    // of the question, as in Skipped
    std::string name;    // the question's name, or the start of its text
    int reason = 0;      // language entry (exchange/Reasons.h), "%1" the detail
    std::string detail;  // the file's name as the file gave it
    // Why a picture was refused, when the media checks refused it ("%2").
    MediaVerdict verdict = MediaVerdict::Ok;
};

struct ImportResult {
    std::vector<Question> questions;
    std::vector<Skipped> skipped;
    std::vector<LeftOut> leftOut;
    // The file's one category, when it holds exactly one ("" otherwise).
    std::string category;
    // Set when the file as a whole was refused (a language entry, with
    // `errorDetail` after it); nothing was imported then.
    int error = 0;
    std::string errorDetail;
    // More questions than one import takes: those after the limit were not kept.
    bool truncated = false;
};

// The limits every reader keeps, so that no file can make an import take
// memory or time without bound.
inline constexpr std::size_t kMaxImportFileSize = std::size_t(64) << 20;
inline constexpr std::size_t kMaxLineLength = 100000;  // GIFT and Aiken
inline constexpr std::size_t kMaxTextLength = 65536;   // one question's text
inline constexpr int kMaxXmlDepth = 64;
// Questions (imported or left out) one file may give: 100 sets' worth.
inline constexpr std::size_t kMaxQuestionsPerFile = 10000;
inline constexpr int kMaxChoices = 4;
inline constexpr int kMaxStatements = 4;
inline constexpr int kMaxFields = 4;
inline constexpr int kMaxAcceptedAnswers = 5;

}  // namespace dorvel::exchange
