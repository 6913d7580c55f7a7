#pragma once

#include "export/ScriptNameTable.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace dorvel {

// Page size of a size class (windowSize): 1 800 x 554, 2 1024 x 722, else 640 x 434.
struct PageSize {
    int width = 640;
    int height = 434;
};
PageSize PageSizeFor(int windowSize);

// The eleven test-wide arrays of the control script, as script literal text
// without their outer brackets. The nested ones get one sub-array per test
// question, with one entry per button, field and drag of it.
struct ScriptArrays {
    std::string qDetailsG;
    std::string qOptionsG;
    std::string qElementsListG;
    std::string qTypesListG;
    std::string qMarksListG;
    std::string userAnswersG;
    std::string correctAnswersG;
    std::string questionNumberListG;
    std::string qMaxSelectionsG;
    std::string qfbackCriteriaG;
    std::string qshowAllfbs;

    // The six arrays that hold one sub-array per question.
    std::array<std::string*, 6> nested()
    {
        return {&qElementsListG, &qTypesListG, &qMarksListG, &userAnswersG, &correctAnswersG, &qfbackCriteriaG};
    }
    std::array<std::string*, 11> all()
    {
        return {&qElementsListG, &qTypesListG, &qMarksListG, &questionNumberListG, &qMaxSelectionsG,
                &userAnswersG, &correctAnswersG, &qfbackCriteriaG, &qshowAllfbs, &qDetailsG, &qOptionsG};
    }
};

// A feedback frame of the question being written: the frame's name and the
// page it shows. Empty name: the slot is free.
struct FeedbackSlot {
    std::string frameName;
    std::string pageText;
};
inline constexpr int kFeedbackSlots = 20;

// The marker a field answer holds when the author left it empty.
inline constexpr std::string_view kEmptyAnswer = "-empty45646-";

// Type codes of the control script.
int FieldType(std::string_view field);
int DragType(std::string_view drag);
// "[" accepted answers "],": a range field its two bounds, another field all
// answers 1 to 20 but the unused ones.
std::string FieldAnswers(std::string_view field);
// The drag's targets as the script reads them: "mark,left,top,width,height".
std::vector<std::string> DragTargets(std::string_view drag);
// "[" home left "," home top "," target entries "],".
std::string DragAnswers(std::string_view drag);

// Script entries of one element, appended when it is taken out of its question.
void AddButtonEntries(ScriptArrays& arrays, std::string_view button, const std::string& id);
void AddFieldEntries(ScriptArrays& arrays, std::string_view field, const std::string& id);
void AddDragEntries(ScriptArrays& arrays, std::string_view drag, const std::string& id);
void AddFeedbackEntry(ScriptArrays& arrays, std::string_view feedback, const std::string& frameName);

}  // namespace dorvel
