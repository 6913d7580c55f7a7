#pragma once

#include <string>

// The name a question is known by in other tools' question banks (Moodle,
// GIFT). It comes in with imported questions and goes out with exported
// ones; students never see it.
namespace dorvel {

inline constexpr char kQuestionNameField[] = "qName";

// The question's name as typed, "" when it has none.
std::string QuestionName(const std::string& record);
// The record with `name` (as typed: one line, a line break pasted in is a
// blank) as its name; an empty name removes the field.
std::string WithQuestionName(const std::string& record, const std::string& name);

}  // namespace dorvel
