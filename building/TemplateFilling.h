#pragma once

#include <string>
#include <string_view>

// Filling one question template from one simple question record. Pure text
// operations; reading the templates and reporting is ExpandSet's part.
namespace dorvel {

enum class TemplateKind {
    ChoiceButtons,
    TrueFalseButtons,
    TextFields,
};

struct QuestionTemplate {
    std::string family;  // "mc", "tf", "tx"
    int count = 0;       // choices, statements or fields
    TemplateKind kind = TemplateKind::ChoiceButtons;

    // "mc4.vtq"
    std::string fileName() const;
};

// The template a question type uses. Types beyond the known range continue
// the nearest rule and name templates that do not exist.
QuestionTemplate TemplateForType(int qType);

// The content of a filled question template (without its vtQuestion
// wrapper): marks or accepted answers from the record, then its title and
// texts written into the template's named text elements in filling order.
std::string FillQuestionTemplate(std::string_view templateContent, std::string_view question,
                                 const QuestionTemplate& tmpl);

// The pre-test page: the test name and the examiner's name written into the
// texts named "TestName" and "ExaminerName".
std::string FillPreTestTemplate(std::string_view templateContent, std::string_view testDetails);

}  // namespace dorvel
