#pragma once

#include "model/Question.h"

#include <string>
#include <string_view>
#include <vector>

// How a student's answer to a question is marked, written once for every
// output that marks: the web test carries the same rules in marking.js
// (beside this file), and tests/marking/cases.json holds both to one table.
namespace dorvel {

// What the student gave.
struct Response {
    std::vector<int> chosen;         // Choice: the indices of the choices ticked
    std::vector<int> statements;     // TrueFalse: per statement 1 true, 0 false, -1 none
    std::vector<std::string> typed;  // Typed: per field, as typed (UTF-8)
};

struct Mark {
    double score = 0;
    double max = 0;
    bool forTeacher = false;    // marked by the teacher, outside the score
    std::vector<double> parts;  // per statement or field; one part for a choice question
};

// The rules:
// - choice, one right (not manyRight): 1 when exactly one choice is ticked
//   and its weight is above 0, else 0; max 1;
// - choice, several right: the sum of the ticked choices' weights (each
//   counted once), floored at 0 and capped at 1; max 1;
// - true/false: 1 for each statement answered as it is; max the statements;
// - typed: 1 for each field whose answer is accepted; max the fields.
// Typed answers and accepted answers both have their blanks collapsed and
// trimmed; nothing typed is never right. A text field ignores letter case
// both ways round (the lower case forms or the upper case forms agree, so
// "STRASSE" meets "Straße"); a number field compares numbers, a decimal
// comma read as a point ("0,5" is 0.5); a range takes any number between
// its bounds, both included, in either order.
Mark MarkQuestion(const Question& q, const Response& response);

// Whether `typed` is accepted by a field of `kind` with `accepted` answers
// (for a range: the two bounds).
bool AnswerAccepted(FieldKind kind, const std::vector<Accepted>& accepted, std::string_view typed);

// The number at the start of a text, after blanks, as a student types it:
// an optional sign, digits with one decimal point or comma, an optional
// exponent; anything after it is passed over ("5 cm" is 5). False when it
// does not start with a number.
bool ReadTypedNumber(std::string_view text, double& value);

}  // namespace dorvel
