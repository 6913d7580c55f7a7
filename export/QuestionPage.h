#pragma once

#include "export/AccessibleNames.h"
#include "export/AccessibleTexts.h"
#include "export/ElementIds.h"
#include "export/PageScript.h"
#include "export/ScriptNameTable.h"
#include "export/WebTestModel.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The writer of one question page ("q" N ".htm") or pre-test page ("p" N
// ".htm"): every element of the question file as absolutely positioned
// markup. Generated lines end in a single carriage return, without indentation.
namespace dorvel {

inline constexpr char kBreak = '\r';

// For assistive technology: the pack's names, the question's text and the
// page's texts by place, which name the answer elements, and how many of each
// kind were written (for "A", "B", ...).
struct PageNaming {
    const A11yTexts* texts = nullptr;
    std::string question;
    std::vector<PageLabel> labels;
    int choices = 0;
    int statements = 0;
    int fields = 0;
    int items = 0;
    bool questionWritten = false;  // the question's block carries the heading

    // Takes the question and the labels from the page's vtText records.
    void takeFrom(const std::vector<std::string>& textRecords);
};

// What one page is built from and into.
struct PageBuild {
    const ScriptNameTable& names;
    ScriptArrays& arrays;
    TestPages& pages;  // where the finished pages go
    PageSize size;
    int n = 0;             // index of the question in its list
    bool testPage = true;  // false: a pre-test page
    bool showFeedback = false;
    std::string head;  // "<html>" up to, without, "</head>"
    std::string body;  // from "<body"
    std::array<FeedbackSlot, kFeedbackSlots> feedbackSlots;
    ElementIds ids;

    PageNaming naming;

    // A question whose choices allow one answer at a time (numSelections 1):
    // its choices are radio buttons of one group, named by `radios`.
    bool oneChoice = false;
    std::vector<std::string> radios;

    // The pack's names for assistive technology (English when none are set).
    const A11yTexts& say() const;

    // "parent.control." and the output name of `tableName`.
    std::string control(std::string_view tableName) const { return "parent.control." + names.out(tableName); }
};

// A positioned block: "<div id=... style=...>" and a line break. An id or
// colour of "0" is left out. Closed later by "</div>".
std::string Block(std::string_view id, int z, std::string_view left, std::string_view top, std::string_view width,
                  std::string_view height, std::string_view visibility, std::string_view colour = "0");

// The address under which a page names a media file of the test folder.
std::string MediaAddress(std::string_view absolutePath);

void WritePageHead(PageBuild& page);
// Body tag, cover or start button, background, question sound, sound frame.
void WriteBodyStart(PageBuild& page, std::string_view question);
// The complete file text once every element is written.
std::string PageFileText(const PageBuild& page);

// Elements. `out` is the page body or the page text of a feedback frame.
void WriteShape(PageBuild& page, std::string_view shape, std::string& out);
void WriteText(PageBuild& page, std::string_view text, std::string& out);
void WritePicture(PageBuild& page, std::string_view picture, std::string& out, bool inFeedback);
void WriteVideo(PageBuild& page, std::string_view video, std::string& out, bool inFeedback);
// The radio group of a one-answer question, after its choices: an element of
// its own that owns them (aria-owns), so that the ticks and crosses beside
// the choices stay outside the group. Nothing for other questions.
void WriteChoiceGroup(PageBuild& page);
void WriteButton(PageBuild& page, std::string_view button);
void WriteField(PageBuild& page, std::string_view field);
void WriteDrag(PageBuild& page, std::string_view drag);

// HTML font size 0..6 of a point size.
int HtmlFontSize(int points);

}  // namespace dorvel
