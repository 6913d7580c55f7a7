#include "export/ScriptNameTable.h"

#include <random>

namespace dorvel {

namespace {

constexpr std::array<std::string_view, ScriptNameTable::kCount> kTableNames{
    "qDetailsG",
    "qOptionsG",
    "qElementsListG",
    "qTypesListG",
    "qMarksListG",
    "userAnswersG",
    "correctAnswersG",
    "questionNumberListG",
    "qMaxSelectionsG",
    "qfbackCriteriaG",
    "qshowAllfbs",
    "questionNum",
    "questionPos",
    "checkPreTest",
    "startTest",
    "restoreAnswer",
    "examStatus",
    "checkSelections",
    "sliderMouseDown",
    "qSliderMax",
    "removeSelection",
    "aButtonsG",
    "checkSlider",
    "sliderfinish",
    "selectionsG",
    "startDate",
    "endDate",
    "resultsText",
    "startContent",
    "pLength",
    "showHideButtons",
    "positionSlider",
    "randqList",
    "qMove",
    "getUserAnswers",
    "writeResults",
    "sliderMMove",
    "markAnswer",
    "",
    "showAnswer",
    "sliderClick",
    "finishTest",
    "formatDate",
    "dragfinish",
    "executeDrag",
    "moveDrag",
    "qElements",
    "qUserAnswers",
    "qTypes",
    "qMarks",
    "qAnswers",
    "qMin",
    "qMax",
    "qUser",
    "qFeedbacks",
    "elementMin",
    "elementMax",
    "elementMarks",
    "elementAnswers",
    "qcAnswers",
    "correct",
    "correctAnswer",
    "obCAnswers",
    "feedbackArray",
    "feedbackShown",
    "totalMax",
    "totalMin",
    "totalUser",
    "textAnswerCorrect",
    "qNum",
    "allocatedDrags",
    "listOfHighestAnswers",
    "highestAnswer",
};

}  // namespace

ScriptNameTable::ScriptNameTable()
{
    for (int i = 0; i < kCount; ++i)
        m_out[static_cast<std::size_t>(i)] = std::string(kTableNames[static_cast<std::size_t>(i)]);
}

std::string_view ScriptNameTable::tableName(int index)
{
    return kTableNames.at(static_cast<std::size_t>(index));
}

int ScriptNameTable::indexOf(std::string_view tableName)
{
    if (tableName.empty())
        return -1;
    for (int i = 0; i < kCount; ++i) {
        if (kTableNames[static_cast<std::size_t>(i)] == tableName)
            return i;
    }
    return -1;
}

void ScriptNameTable::draw(unsigned seed)
{
    *this = ScriptNameTable();
    // mt19937 is fully specified, so a seed gives the same names everywhere.
    std::mt19937 generator(seed);
    std::string used;
    int count = 0;
    for (int d = 0; d < kMaxDraws && count < kCount; ++d) {
        const std::string candidate = "c" + std::to_string(generator() % 1000);
        if (used.find(candidate) != std::string::npos)
            continue;
        m_out[static_cast<std::size_t>(count)] = candidate;
        used += candidate;
        ++count;
    }
}

std::string ScriptNameTable::out(std::string_view tableName) const
{
    const int i = indexOf(tableName);
    return i < 0 ? std::string(tableName) : m_out[static_cast<std::size_t>(i)];
}

std::string ScriptNameTable::substitute(std::string_view text) const
{
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto open = text.find('$', pos);
        if (open == std::string_view::npos)
            break;
        const auto close = text.find('$', open + 1);
        if (close == std::string_view::npos)
            break;
        const int i = indexOf(text.substr(open + 1, close - open - 1));
        if (i < 0) {
            // Not a placeholder: keep this dollar, the next may open one.
            result.append(text.substr(pos, close - pos));
            pos = close;
            continue;
        }
        result.append(text.substr(pos, open - pos));
        result += m_out[static_cast<std::size_t>(i)];
        pos = close + 1;
    }
    result.append(text.substr(pos));
    return result;
}

}  // namespace dorvel
