#pragma once

#include <array>

// The eleven question types of the editor: index = the record's qType.
namespace dorvel {

enum class QuestionFamily {
    MultipleChoice,  // types 0..2, option page Select
    TrueFalse,       // types 3..6, option page TF
    Text,            // types 7..10, option page Field
};

inline constexpr int kQuestionTypeCount = 11;

// The item texts the type list shows before a language pack relabels it.
inline constexpr std::array<const char*, kQuestionTypeCount> kQuestionTypeNames = {
    "Multiple Choice, 2 Choices",
    "Multiple Choice, 3 Choices",
    "Multiple Choice, 4 Choices",
    "True/False, 1 Button",
    "True/False, 2 Buttons",
    "True/False, 3 Buttons",
    "True/False, 4 Buttons",
    "Text, 1 Field",
    "Text, 2 Fields",
    "Text, 3 Fields",
    "Text, 4 Fields",
};

// Types outside 0..10 are treated like the default type (2).
inline QuestionFamily FamilyOfType(int type)
{
    if (type >= 3 && type <= 6)
        return QuestionFamily::TrueFalse;
    if (type >= 7 && type <= 10)
        return QuestionFamily::Text;
    return QuestionFamily::MultipleChoice;
}

// How many answer groups (choices, statements, fields) the type shows.
inline int AnswerGroupCount(int type)
{
    switch (FamilyOfType(type)) {
    case QuestionFamily::MultipleChoice:
        return type >= 0 && type <= 2 ? type + 2 : 4;
    case QuestionFamily::TrueFalse:
        return type - 2;
    case QuestionFamily::Text:
        return type - 6;
    }
    return 4;
}

}  // namespace dorvel
