#include "export/FeedbackPages.h"

#include "export/WebTemplates.h"
#include "export/WebText.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

namespace dorvel {

namespace {

void line(std::string& out, std::string_view text)
{
    out += text;
    out += kBreak;
}

// "feedback1" -> "fb1"; the author's id or reference goes through the page's
// ids, so that an element finds its area under the same name.
std::string frameNameOf(PageBuild& page, std::string_view idOrReference)
{
    const std::string& id = page.ids.of(idOrReference);
    return "fb" + (id.size() > 8 ? id.substr(8) : std::string());
}

}  // namespace

std::string SoundMarkup(std::string_view audioPath)
{
    // <audio> rather than <embed>: browsers no longer play sounds through
    // plug-ins. The address is URL- and attribute-escaped, so the markup holds
    // no quote and can also stand inside a script string.
    return "<audio src=\"" + HtmlAttr(UrlPath(FlatName(audioPath))) + "\" autoplay=\"true\" hidden=\"true\"></audio>";
}

void TakeFeedback(PageBuild& page, std::string_view feedback)
{
    const std::string name = frameNameOf(page, GetTag(feedback, "id"));
    FeedbackSlot* slot = nullptr;
    for (FeedbackSlot& s : page.feedbackSlots) {
        if (s.frameName.empty()) {
            slot = &s;
            break;
        }
    }
    if (!slot)
        return;
    slot->frameName = name;
    AddFeedbackEntry(page.arrays, feedback, name);

    const std::string colour = HtmlColour(GetTag(feedback, "FeedbackColor"));
    const auto head = LoadWebTemplate("fragments/feedback-head.htm");
    const std::map<std::string, std::string> values{{"colour", colour},
                                                    {"lang", HtmlAttr(Say(page.say(), A11yText::Language))},
                                                    {"title", HtmlText(Say(page.say(), A11yText::Feedback))}};
    slot->pageText = head ? WithLineBreaks(FillPlaceholders(*head, values), std::string(1, kBreak)) : std::string();
    slot->pageText += kBreak;

    const std::string width = HtmlAttr(GetTag(feedback, "FeedbackWidth"));
    const std::string height = HtmlAttr(GetTag(feedback, "FeedbackHeight"));
    std::string& out = page.body;
    out += Block(name + "div", 30, HtmlAttr(GetTag(feedback, "FeedbackLeft")), HtmlAttr(GetTag(feedback, "FeedbackTop")),
                 width, height, "hidden", colour);
    // Made from its template when Mark first shows this feedback, like the sound
    // frame, so that moving between questions loads no frames.
    line(out, "<template><iframe src=\"about:blank\" name=\"" + name + "frame\" title=\"" + HtmlAttr(Say(page.say(), A11yText::Feedback)) + "\" scrolling=\"no\" width=\"" + width + "\" height=\"" + height + "\" marginwidth=\"0\" marginheight=\"0\" " + (GetTagInt(feedback, "FeedbackStyle", 0) == 2 ? "frameborder=\"yes\"> " : "frameborder=\"no\"> "));
    line(out, "</iframe></template>");
    line(out, "</div>");

    const std::string sound = GetTag(feedback, "FeedbackAudioAbs");
    if (sound != "0")
        line(slot->pageText, SoundMarkup(sound));
}

std::string* FeedbackTarget(PageBuild& page, std::string_view feedbackValue)
{
    // An element without the field belongs to the page, like one marked "0".
    if (feedbackValue.empty() || feedbackValue == "0")
        return &page.body;
    const std::string name = frameNameOf(page, feedbackValue);
    for (FeedbackSlot& s : page.feedbackSlots) {
        if (!s.frameName.empty() && s.frameName == name)
            return &s.pageText;
    }
    return nullptr;
}

void WriteFeedbackPages(PageBuild& page)
{
    for (FeedbackSlot& s : page.feedbackSlots) {
        if (!s.frameName.empty())
            page.pages.add("q" + std::to_string(page.n) + s.frameName + ".htm", s.pageText + "</body>");
        s = FeedbackSlot();
    }
}

std::string SoundPageName(const PageBuild& page, std::string_view id, bool rightHalf)
{
    const std::string safe = SafeId(id);
    // Pre-test pages count from 0 as well: their sound pages begin with "p" so
    // that they do not replace those of the test question of the same number.
    return (page.testPage ? "q" : "p") + std::to_string(page.n) + "s" + (safe.size() > 6 ? safe.substr(6) : std::string())
        + (rightHalf ? "-r" : "") + ".htm";
}

std::string PlaySound(const std::string& pageName, bool fromFeedback)
{
    return std::string(fromFeedback ? "parent." : "") + "playSound('" + pageName + "'); ";
}

void WriteSoundPage(PageBuild& page, const std::string& pageName, std::string_view audioPath)
{
    // A page of its own in the (hidden) sound frame: it carries the pack's
    // language and a title like every other page, for the tools that read it.
    page.pages.add(pageName, "<html lang=\"" + HtmlAttr(Say(page.say(), A11yText::Language)) + "\"><head><title>" + HtmlText(Say(page.say(), A11yText::Sound)) + "</title></head><body> " + SoundMarkup(audioPath) + " </body></html>");
}

}  // namespace dorvel
