#pragma once

#include "export/ScriptNameTable.h"
#include "export/WebTestModel.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace dorvel {

struct InterfaceTexts;

// The function blocks of the control script in their slot order; slot 11 is
// empty. Each block is the template export/web/control/<name>.js.
inline constexpr std::array<std::string_view, 24> kControlBlockSlots{
    "startContent",
    "randqList",
    "checkPreTest",
    "startTest",
    "qMove",
    "positionSlider",
    "sliderClick",
    "checkSlider",
    "sliderMMove",
    "sliderfinish",
    "markAnswer",
    "",
    "checkSelections",
    "removeSelection",
    "restoreAnswer",
    "showHideButtons",
    "showAnswer",
    "getUserAnswers",
    "finishTest",
    "writeResults",
    "formatDate",
    "dragfinish",
    "executeDrag",
    "moveDrag",
};

struct ControlPageInput {
    const ScriptNameTable& names;
    const ScriptArrays& arrays;
    const InterfaceTexts& texts;
    PageSize size;
    int preTestPages = 0;
    bool allowMarking = false;
    bool allowCheating = false;
    // The number the titles give the first question: a preview of question 3
    // of a set shows that one question as "Question 3".
    int firstQuestionNumber = 1;
    bool platformScript = false;  // loads scorm.js, the link to a learning platform
};

// The largest left position of the slider thumb.
int SliderMax(int pageWidth, bool allowMarking, bool allowCheating);

// The slots in the order they are written: drawn from a generator seeded
// with `seed`, each exactly once.
std::vector<int> ControlBlockOrder(unsigned seed);

// The text of control.htm: head, declarations, the function blocks in the
// order of `blockSeed`, the control bar and the slider.
std::string ControlPageText(const ControlPageInput& input, unsigned blockSeed);

// The text of p.js, the script every question page includes.
std::string PageScriptText(const ScriptNameTable& names);

}  // namespace dorvel
