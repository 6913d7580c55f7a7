#pragma once

#include <string>
#include <string_view>
#include <vector>

// Names for the answer elements of a question page, taken from the texts the
// page shows: a choice button is named by the text on its row ("A: Venus"), a
// statement button by its statement, a field by the question and the text
// beside it. Screen readers read the names; the tick and cross carry them too.
namespace dorvel {

// A text of the page as plain text (lines joined by blanks) with its box.
struct PageLabel {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string text;
};

// A text as one line: line breaks and runs of blanks become one blank.
std::string PlainText(std::string_view text);

// What a text record of a page (its stored `vtString`) reads as, in one line:
// references decoded, the marks that render left out. Names are made of it
// and escaped once, where they are written.
std::string ReadText(std::string_view storedText);

// The texts of a page's own body (not of its feedback frames) that show
// something, from their vtText records.
std::vector<PageLabel> PageLabels(const std::vector<std::string>& textRecords);

// The question: the text the style names "Title", else the highest text on the
// page, else nothing.
std::string QuestionText(const std::vector<std::string>& textRecords);

// The text that stands on the same row as the box (their heights overlap) and
// nearest to it sideways; empty when no text shares the row. The question
// itself does not count as a row's text.
std::string LabelBeside(const std::vector<PageLabel>& labels, int left, int top, int width, int height,
                        std::string_view question);

// "A" for the first choice of a page, "B" for the second, ...; after "Z" the number.
std::string ChoiceLetter(int index);

// "first: second", leaving out an empty part.
std::string JoinName(std::string_view first, std::string_view second);

}  // namespace dorvel
