#pragma once

#include "exchange/ExchangeQuestion.h"

#include <optional>
#include <string>
#include <vector>

// The checks every reader makes before a question becomes one of ours.
namespace dorvel::exchange {

// A choice question of these choices; `right` lists the right ones. The
// reason it cannot map, or nothing.
std::optional<int> ChoiceProblem(const std::vector<std::string>& choices, const std::vector<int>& right);
// A question's texts too long to keep: the reason, or nothing.
std::optional<int> LengthProblem(const Question& q);
// A number as a reader meets it ("3,5" as well as "3.5"): its text in the
// form the web test reads, or nothing when it is not a number.
std::optional<std::string> NumberText(std::string_view text);
// A numeric field that accepts `value` give or take `tolerance` (0: exactly).
std::optional<AnswerField> NumericField(std::string_view value, std::string_view tolerance);
// Text without white space at either end.
std::string Trimmed(std::string_view s);
// A category path's last part ("$course$/top/Unit 1" gives "Unit 1"); "//"
// stands for a "/" inside a name.
std::string LastCategory(std::string_view path);
// The path a set's questions go into: "$course$/top/" and the name.
std::string CategoryPath(std::string_view name);
// Adds `q` to `result`, or the reason it cannot be kept.
void Keep(ImportResult& result, Question q, int position);
void Skip(ImportResult& result, int position, const std::string& nameOrText, int reason);

}  // namespace dorvel::exchange
