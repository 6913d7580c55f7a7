#pragma once

#include <string>

namespace dorvel {

// The record every new question starts from (multiple choice, 4 choices).
const std::string& DefaultQuestionRecord();
// The test details every new set starts from.
const std::string& DefaultTestDetails();

}  // namespace dorvel
