#include "export/WebTestModel.h"

#include "export/WebText.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

namespace dorvel {

namespace {

std::string quoted(std::string_view value)
{
    return "\"" + JsString(value) + "\",";
}

std::string field(std::string_view record, std::string_view name)
{
    return GetTag(record, name);
}

}  // namespace

PageSize PageSizeFor(int windowSize)
{
    if (windowSize == 1)
        return {800, 554};
    if (windowSize == 2)
        return {1024, 722};
    return {640, 434};
}

int FieldType(std::string_view f)
{
    const int restriction = GetTagInt(f, "editRestriction", 0);
    int type = 3;
    if (restriction == 1)
        type = 4;
    else if (restriction == 2)
        type = 6;
    if (restriction != 0 && GetTagInt(f, "useRange", 0) == 1)
        ++type;
    return type;
}

int DragType(std::string_view drag)
{
    int type = field(drag, "dragFilePathAbs") == "0" ? 8 : 10;
    if (GetTagInt(drag, "dragCanIntersect", 0) == 1)
        ++type;
    return type;
}

std::string FieldAnswers(std::string_view f)
{
    auto answer = [&](int k) {
        const std::string a = field(f, "FieldAnswer" + std::to_string(k));
        return a == kEmptyAnswer ? a : DecodeText(a);
    };
    std::string text = "[";
    for (int k = 1; k <= 2; ++k) {
        const std::string a = answer(k);
        text += quoted(a == kEmptyAnswer ? std::string() : a);
    }
    const bool range = GetTagInt(f, "editRestriction", 0) != 0 && GetTagInt(f, "useRange", 0) != 0;
    if (!range) {
        for (int k = 3; k <= 20; ++k) {
            const std::string a = answer(k);
            if (a != kEmptyAnswer)
                text += quoted(a);
        }
    }
    return TrimComma(text) + "],";
}

std::vector<std::string> DragTargets(std::string_view drag)
{
    std::vector<std::string> targets;
    std::string rest = field(drag, "targets");
    // Entries "a,b,target;": the target is the text after the second comma.
    while (rest.size() >= 4) {
        const auto end = rest.find(';');
        if (end == std::string::npos)
            break;  // an unterminated entry ends the list
        const std::string entry = rest.substr(0, end);
        rest.erase(0, end + 1);
        std::string target;
        const auto first = entry.find(',');
        if (first != std::string::npos) {
            const auto second = entry.find(',', first + 1);
            if (second != std::string::npos)
                target = entry.substr(second + 1);
        }
        targets.push_back(std::move(target));
    }
    return targets;
}

std::string DragAnswers(std::string_view drag)
{
    std::string text = "[" + JsLiteral(field(drag, "DragLeft")) + "," + JsLiteral(field(drag, "DragTop")) + ",";
    for (const std::string& target : DragTargets(drag))
        text += quoted(target);
    return TrimComma(text) + "],";
}

void AddButtonEntries(ScriptArrays& arrays, std::string_view button, const std::string& id)
{
    arrays.qElementsListG += "'" + id + "', ";
    if (GetTagInt(button, "buttonType", 0) == 0) {
        arrays.qTypesListG += "1, ";
        arrays.qMarksListG += "[" + JsLiteral(field(button, "buttonMarkIfSelected")) + ","
            + JsLiteral(field(button, "buttonMarkIfNotSelected")) + "], ";
    } else {
        arrays.qTypesListG += "2, ";
        arrays.qMarksListG += "[" + JsLiteral(field(button, "buttonMarkIfTrueSelected")) + ","
            + JsLiteral(field(button, "buttonMarkIfFalseSelected")) + ","
            + JsLiteral(field(button, "buttonMarkIfNoTFSelection")) + "], ";
    }
    arrays.userAnswersG += "0,";
    arrays.correctAnswersG += "[],";
}

void AddFieldEntries(ScriptArrays& arrays, std::string_view f, const std::string& id)
{
    arrays.qElementsListG += "'" + id + "', ";
    arrays.qTypesListG += std::to_string(FieldType(f)) + ", ";
    arrays.qMarksListG += "[" + JsLiteral(field(f, "FieldMarkIfCorrect")) + "," + JsLiteral(field(f, "FieldMarkIfIncorrect"))
        + "," + JsLiteral(field(f, "FieldMarkIfNotSelected")) + "], ";
    arrays.userAnswersG += "'',";
    arrays.correctAnswersG += FieldAnswers(f);
}

void AddDragEntries(ScriptArrays& arrays, std::string_view drag, const std::string& id)
{
    arrays.qElementsListG += "'" + id + "', ";
    arrays.qTypesListG += std::to_string(DragType(drag)) + ",";
    arrays.qMarksListG += "[" + JsLiteral(field(drag, "DragMarkIfNotSelected")) + "], ";
    arrays.userAnswersG += "-1,";
    arrays.correctAnswersG += DragAnswers(drag);
}

void AddFeedbackEntry(ScriptArrays& arrays, std::string_view feedback, const std::string& frameName)
{
    arrays.qfbackCriteriaG += "[\"" + JsString(frameName) + "\"," + JsLiteral(field(feedback, "FeedbackCriteria")) + ","
        + JsLiteral(field(feedback, "FeedbackScoreMin")) + "," + JsLiteral(field(feedback, "FeedbackScoreMax")) + ","
        + JsLiteral(field(feedback, "FeedbackScoreMatch")) + "], ";
}

}  // namespace dorvel
