#include "export/AccessibleNames.h"

#include "export/InlineMarks.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <climits>

namespace dorvel {

std::string PlainText(std::string_view text)
{
    std::string out;
    bool blank = true;
    for (const char c : text) {
        const bool space = c == ' ' || c == '\r' || c == '\n' || c == '\t';
        if (space) {
            if (!blank)
                out += ' ';
            blank = true;
        } else {
            out += c;
            blank = false;
        }
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string ReadText(std::string_view storedText)
{
    return PlainText(UnmarkedText(DecodeText(storedText)));
}

namespace {

bool onPage(std::string_view record)
{
    const std::string feedback = GetTag(record, "feedback");
    return feedback.empty() || feedback == "0";
}

}  // namespace

std::vector<PageLabel> PageLabels(const std::vector<std::string>& textRecords)
{
    std::vector<PageLabel> labels;
    for (const std::string& record : textRecords) {
        std::string text = ReadText(GetTag(record, "vtString"));
        if (!onPage(record) || text.empty())
            continue;
        labels.push_back({GetTagInt(record, "textLeft", 0), GetTagInt(record, "textTop", 0),
                          GetTagInt(record, "textWidth", 0), GetTagInt(record, "textHeight", 0), std::move(text)});
    }
    return labels;
}

std::string QuestionText(const std::vector<std::string>& textRecords)
{
    std::string highest;
    int highestTop = INT_MAX;
    for (const std::string& record : textRecords) {
        const std::string text = ReadText(GetTag(record, "vtString"));
        if (!onPage(record) || text.empty())
            continue;
        if (GetTag(record, "textName") == "Title")
            return text;
        const int top = GetTagInt(record, "textTop", 0);
        if (top < highestTop) {
            highestTop = top;
            highest = text;
        }
    }
    return highest;
}

std::string LabelBeside(const std::vector<PageLabel>& labels, int left, int top, int width, int height,
                        std::string_view question)
{
    const PageLabel* best = nullptr;
    int bestGap = INT_MAX;
    for (const PageLabel& label : labels) {
        if (label.text == question)
            continue;
        if (label.top >= top + height || label.top + label.height <= top)
            continue;
        int gap = 0;
        if (label.left >= left + width)
            gap = label.left - (left + width);
        else if (label.left + label.width <= left)
            gap = left - (label.left + label.width);
        if (gap < bestGap) {
            bestGap = gap;
            best = &label;
        }
    }
    return best ? best->text : std::string();
}

std::string ChoiceLetter(int index)
{
    if (index >= 0 && index < 26)
        return std::string(1, static_cast<char>('A' + index));
    return std::to_string(index + 1);
}

std::string JoinName(std::string_view first, std::string_view second)
{
    if (first.empty())
        return std::string(second);
    if (second.empty())
        return std::string(first);
    return std::string(first) + ": " + std::string(second);
}

}  // namespace dorvel
