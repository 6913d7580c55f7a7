#pragma once

#include "model/Question.h"

#include <string>
#include <vector>

class QJsonObject;

// Marking on the teacher's side: the score of a class never comes from a
// student's browser, it is worked out again here from the answers, by the
// marking library every output shares (marking/Marking.h).
namespace dorvel::classroom {

// What a student gave, as the web test's engine sends it.
struct Response {
    std::vector<int> chosen;         // choice: indices of the ticked choices
    std::vector<int> statements;     // true/false: per statement 1 true, 0 false, -1 none
    std::vector<std::string> typed;  // typed: per field, as typed
    bool operator==(const Response&) const = default;
};

struct Mark {
    double score = 0;
    double max = 0;
    bool forTeacher = false;
    std::vector<double> parts;
};

// A question of the class: its number in the set and what it asks.
struct ClassQuestion {
    int id = 0;
    Question question;
};

// The mark of a response, by MarkQuestion's rules: one right choice scores 1
// or 0; several right the sum of the chosen weights (0 to 1); true/false one
// for each statement judged right; typed one for each field whose text is
// accepted (blanks collapsed and trimmed, letter case ignored; numbers
// compared as numbers, ranges inclusive at both ends).
Mark MarkResponse(const ClassQuestion& question, const Response& response);

// Reads a response sent for `question` from JSON ({"chosen": [..],
// "statements": [..], "typed": [..]}), refusing what the question cannot
// have been given: a choice it has not, a statement answer other than -1, 0
// or 1, more fields than it has, a typed text of more than kMaxTypedChars.
// On refusal returns false with `error` saying why.
inline constexpr int kMaxTypedChars = 500;
bool ReadResponse(const std::string& json, const ClassQuestion& question, Response& response, std::string& error);
bool ReadResponse(const QJsonObject& json, const ClassQuestion& question, Response& response, std::string& error);
// The response as JSON, as it is stored and given back.
std::string ResponseJson(const Response& response);

// A short text of a response, the same for responses that mean the same
// (for counting the most common wrong answers): letters for choices
// ("B", "A, C"), T/F/- per statement, the typed texts with blanks collapsed.
std::string ResponseText(const ClassQuestion& question, const Response& response);

}  // namespace dorvel::classroom
