#pragma once

#include <string>
#include <string_view>

namespace dorvel {

// The record every new question starts from (multiple choice, 4 choices).
const std::string& DefaultQuestionRecord();
// The test details every new set starts from.
const std::string& DefaultTestDetails();

// The answer to statement k (1 to 6) of a true/false question, read alike by
// the editor and the expansion: "0" is False; "1", and a missing or
// malformed value, is True, as a new question has it.
bool StatementIsTrue(std::string_view question, int k);

}  // namespace dorvel
