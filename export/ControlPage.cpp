#include "export/ControlPage.h"

#include "export/WebTemplates.h"
#include "export/WebText.h"
#include "export/WriteTestPages.h"

#include <algorithm>
#include <map>
#include <random>

namespace dorvel {

namespace {

constexpr char kBreak = '\r';

std::string str(int value)
{
    return std::to_string(value);
}

void line(std::string& out, std::string_view text)
{
    out += text;
    out += kBreak;
}

// A template with names and values filled in and CR line breaks; empty when
// the template does not exist.
std::string filled(std::string_view name, const ScriptNameTable& names, const std::map<std::string, std::string>& values)
{
    auto text = LoadWebTemplate(name);
    if (!text)
        return {};
    if (name.size() > 3 && name.substr(name.size() - 3) == ".js")
        text = CompactScript(*text);
    return WithLineBreaks(FillPlaceholders(names.substitute(*text), values), std::string(1, kBreak));
}

struct BarButton {
    std::string name;
    int left;
    int width;
    bool disabledLayer;
    std::string pressed;   // mouse-down action
    std::string released;  // release action
    A11yText label;        // its name for assistive technology
};

void writeBarButton(std::string& out, const BarButton& b, const std::string& handlers, const A11yTexts& say)
{
    const int layers = b.disabledLayer ? 4 : 3;
    for (int k = 0; k < layers; ++k) {
        const int z = k == 3 ? 3 : k + 1;
        // The resting layer takes the keyboard; the others only show its states.
        const std::string access = k == 0 ? " tabindex=\"0\" role=\"button\" aria-label=\""
                + HtmlAttr(Say(say, b.label)) + "\" data-bar=\"" + b.name + "\""
                                          : std::string(" alt=\"\" aria-hidden=\"true\"");
        line(out, "<div id=\"" + b.name + "div" + str(k) + "\" style=\"position: absolute; top: 2px; left: " + str(b.left) + "px; width: " + str(b.width) + "px; height: 26px; z-index: " + str(z) + "; visibility: " + (k == 0 || k == 3 ? "visible" : "hidden") + ";\">");
        line(out, "<img src=\"buttons/" + b.name + str(k) + ".gif\" width=\"" + str(b.width) + "\" height=\"26\" border=\"0\" cache=\"true\"" + access + (k == 3 ? std::string() : handlers) + ">");
        line(out, "</div>");
    }
}

}  // namespace

int SliderMax(int pageWidth, bool allowMarking, bool allowCheating)
{
    return pageWidth - 110 - (allowMarking ? 54 : 0) - (allowCheating ? 54 : 0);
}

std::vector<int> ControlBlockOrder(unsigned seed)
{
    std::array<bool, 24> filled{};
    for (std::size_t i = 0; i < filled.size(); ++i)
        filled[i] = !kControlBlockSlots[i].empty();
    std::vector<int> order;
    std::mt19937 generator(seed);
    const std::size_t blocks = 23;
    for (int d = 0; d < 5000 && order.size() < blocks; ++d) {
        const auto slot = static_cast<std::size_t>(generator() % 24);
        if (!filled[slot])
            continue;
        filled[slot] = false;
        order.push_back(static_cast<int>(slot));
    }
    // Should the draws run out, the rest follow in slot order.
    for (std::size_t i = 0; i < filled.size(); ++i) {
        if (filled[i])
            order.push_back(static_cast<int>(i));
    }
    return order;
}

std::string ControlPageText(const ControlPageInput& in, unsigned blockSeed)
{
    const ScriptNameTable& names = in.names;
    const int W = in.size.width;
    const int S = SliderMax(W, in.allowMarking, in.allowCheating);

    std::map<std::string, std::string> values{
        {"W", str(W)},
        {"H", str(in.size.height)},
        {"S", str(S)},
        {"P", str(in.preTestPages)},
        {"firstNumber", str(in.firstQuestionNumber)},
        {"numberBeforeFirst", str(in.firstQuestionNumber - 1)},
        {"siteAddress", JsString(kSiteAddress)},
        {"siteName", JsString(kSiteName)},
        {"qElementsListG", in.arrays.qElementsListG},
        {"qTypesListG", in.arrays.qTypesListG},
        {"qMarksListG", in.arrays.qMarksListG},
        {"questionNumberListG", in.arrays.questionNumberListG},
        {"qMaxSelectionsG", in.arrays.qMaxSelectionsG},
        {"userAnswersG", in.arrays.userAnswersG},
        {"correctAnswersG", in.arrays.correctAnswersG},
        {"qfbackCriteriaG", in.arrays.qfbackCriteriaG},
        {"qshowAllfbs", in.arrays.qshowAllfbs},
        {"qDetailsG", in.arrays.qDetailsG},
        {"qOptionsG", in.arrays.qOptionsG},
        {"platformScript", in.platformScript ? "<script src=\"scorm.js\"></script>" : ""},
        {"learnerLabel", JsString(in.texts.learnerLabel)},
        {"aButtons", std::string("'Finish'") + (in.allowMarking ? ",'Mark'" : "") + (in.allowCheating ? ",'Cheat'" : "")},
    };
    for (std::size_t i = 0; i < in.texts.textsA.size(); ++i)
        values["textsA" + std::to_string(i)] = JsString(in.texts.textsA[i]);
    for (std::size_t i = 0; i < in.texts.textsB.size(); ++i)
        values["textsB" + std::to_string(i)] = JsString(in.texts.textsB[i]);
    const A11yTexts& say = in.texts.a11y;
    for (std::size_t i = 0; i < kA11yTexts; ++i)
        values["a11y_" + std::string(kA11yKeys[i])] = JsString(say[i]);
    values["langAttr"] = HtmlAttr(Say(say, A11yText::Language));
    values["controlsTitle"] = HtmlText(Say(say, A11yText::ControlsFrame));

    std::string out = filled("fragments/control-head.htm", names, values);
    out += kBreak;
    for (const int slot : ControlBlockOrder(blockSeed)) {
        const std::string block = filled("control/" + std::string(kControlBlockSlots[static_cast<std::size_t>(slot)]) + ".js",
                                         names, values);
        if (!block.empty())
            line(out, block);
    }
    out += filled("fragments/control-body.htm", names, values);
    out += kBreak;

    // The control bar: Help and the left arrow on the left, Finish at the
    // right edge, Mark and Cheat before it, the right arrow after the slide line.
    const std::string qMove = names.out("qMove");
    const std::string questionPos = names.out("questionPos");
    std::vector<BarButton> bar;
    bar.push_back({"Help", 2, 51, false,
                   " parent.openPage('buttons/help.htm', 'Help', 'width=500,height=340,menubar=no,scrollbars=no,status=no,resizable=no');", "",
                   A11yText::Help});
    bar.push_back({"Arrow1", 54, 26, false, qMove + "(" + questionPos + " - 1);", "", A11yText::Previous});
    int previous = W - 54;
    bar.push_back({"Finish", previous, 52, true, names.out("finishTest") + "();", "", A11yText::Finish});
    if (in.allowMarking) {
        previous -= 54;
        bar.push_back({"Mark", previous, 52, true, names.out("markAnswer") + "();", "", A11yText::Mark});
    }
    if (in.allowCheating) {
        previous -= 54;
        bar.push_back({"Cheat", previous, 52, true, names.out("showAnswer") + "();", names.out("restoreAnswer") + "();",
                       A11yText::Cheat});
    }
    bar.push_back({"Arrow2", previous - 28, 26, false, qMove + "(" + questionPos + " + 1);", "", A11yText::Next});
    // Written from left to right, the slider after the left arrow: Tab follows
    // the order of the markup, and the layers' z-index keeps the picture as it is.
    std::stable_sort(bar.begin(), bar.end(), [](const BarButton& a, const BarButton& b) { return a.left < b.left; });
    for (const BarButton& b : bar) {
        const std::string handlers = filled("fragments/control-button-handlers.htm", names,
                                            {{"N", b.name}, {"U", b.released}, {"D", b.pressed}});
        writeBarButton(out, b, handlers, say);
        if (b.name != "Arrow1")
            continue;
        // The keyboard script keeps the slider's values up to date.
        line(out, "<div id=\"Sliderdiv\" style=\"position: absolute; top: 2px; left: 82px; width: 26px; height: 26px; z-index: 4; visibility: visible;\">");
        line(out, "<img src=\"buttons/Slider.gif\" class=\"slide\" width=\"26\" height=\"26\" border=\"0\" tabindex=\"0\" "
                  "role=\"slider\" aria-label=\""
                 + HtmlAttr(Say(say, A11yText::Slider)) + "\" aria-valuemin=\"1\" aria-valuemax=\"1\" aria-valuenow=\"1\" id=\"Slider\" >");
        line(out, "</div>");
        line(out, "<div style=\"position: absolute; top: 2px; left: 82px; width: " + str(S - 56) + "px; height: 26px; z-index: 1; visibility: visible;\">");
        line(out, "<img src=\"buttons/slideline.gif\" width=\"" + str(S - 56) + "\" height=\"26\" onmousedown=\"" + names.out("sliderClick") + "(event);\" border=\"0\" alt=\"\" aria-hidden=\"true\" >");
        line(out, "</div>");
    }
    // Announcements (marks, the right answers, the score, a carried drag item)
    // are spoken from here: the control page stays while questions come and go.
    line(out, "<div id=\"a11yStatus\" role=\"status\" aria-live=\"polite\" style=\"position: absolute; top: 0px; left: 0px; "
              "width: 1px; height: 1px; overflow: hidden; clip: rect(0px, 0px, 0px, 0px); white-space: nowrap;\"></div>");
    line(out, "<script>");
    out += filled("control-keys.js", names, values);
    line(out, "</script>");
    line(out, "</body>");
    line(out, "</html>");
    return out;
}

std::string PageScriptText(const ScriptNameTable& names)
{
    std::string text = filled("p.js", names, {});
    if (!text.empty())
        text += kBreak;
    return text;
}

}  // namespace dorvel
