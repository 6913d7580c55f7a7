#pragma once

#include <string>
#include <string_view>

namespace dorvel {

// The record every new question starts from (multiple choice, 4 choices).
const std::string& DefaultQuestionRecord();
// The test details of the original format's new set, as the language
// pack's entry 1 and older banks carry them.
const std::string& DefaultTestDetails();
// The test details every new set starts from: the defaults above, with the
// student's name asked before the test (kAskNameField), so that printed
// results say whose they are. Sets saved before keep what they hold.
const std::string& NewSetDetails();

// Whether the web test asks for the student's name before it starts: 1 in
// the set's test details; missing or anything else is no.
inline constexpr const char* kAskNameField = "shouldUserEnterDetails";
bool AsksStudentName(std::string_view testDetails);

// The answer to statement k (1 to 6) of a true/false question, read alike by
// the editor and the expansion: "0" is False; "1", and a missing or
// malformed value, is True, as a new question has it.
bool StatementIsTrue(std::string_view question, int k);

}  // namespace dorvel
