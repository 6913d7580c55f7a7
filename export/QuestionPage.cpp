#include "export/QuestionPage.h"

#include "export/FeedbackPages.h"
#include "export/InlineMarks.h"
#include "export/WebTemplates.h"
#include "export/WebText.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <algorithm>

namespace dorvel {

namespace {

std::string str(int value)
{
    return std::to_string(value);
}

// A stored position or size, copied as written but kept inside its attribute.
std::string stored(std::string_view record, std::string_view name)
{
    return HtmlAttr(GetTag(record, name));
}

void line(std::string& out, std::string_view text)
{
    out += text;
    out += kBreak;
}

std::string fragment(std::string_view name, const std::map<std::string, std::string>& values, const ScriptNameTable& names)
{
    const auto text = LoadWebTemplate(name);
    if (!text)
        return {};
    return WithLineBreaks(FillPlaceholders(names.substitute(*text), values), std::string(1, kBreak));
}

// A picture that only shows a state another element already names.
constexpr std::string_view kHidden = "alt=\"\" aria-hidden=\"true\" ";

// The tick and the cross the control page shows beside a marked element. Their
// text says whose mark it is; the control page reads data-name to announce.
void writeTickAndCross(const PageBuild& page, std::string& out, const std::string& id, int top, int left,
                       const std::string& name)
{
    for (const char* mark : {"tick", "cross"}) {
        const std::string verdict = Say(page.say(), mark == std::string_view("tick") ? A11yText::Right : A11yText::Wrong);
        line(out, "<div id=\"" + id + mark + "\" style=\"position: absolute; top: " + str(top) + "px; left: " + str(left) + "px; width: 40px; height: 40px; z-index: 30; visibility: hidden;\">");
        line(out, std::string("<img src=\"buttons/") + mark + ".gif\" width=\"40\" height=\"40\" border=\"0\" cache=\"true\" alt=\"" + HtmlAttr(JoinName(name, verdict)) + "\" data-name=\"" + HtmlAttr(name) + "\">");
        line(out, "</div>");
    }
}

// One image layer of a button: the block, the image and its handlers.
void writeButtonRow(std::string& out, std::string_view button, const std::string& id, int layer, std::string_view picture,
                    const std::string& attributes, std::string_view access = kHidden)
{
    out += Block(id + str(layer) + "div", 20 + layer, stored(button, "buttonLeft"), stored(button, "buttonTop"),
                 stored(button, "buttonWidth"), stored(button, "buttonHeight"), layer == 0 ? "visible" : "hidden");
    line(out, "<img src=\"" + HtmlAttr(UrlPath(FlatName(GetTag(button, picture)))) + "\" name=\"" + id + "0\" width=\"" + stored(button, "buttonWidth") + "\" height=\"" + stored(button, "buttonHeight") + "\" " + std::string(access) + attributes);
    line(out, "</div>");
}

// The text beside an element's box, by the record's position fields.
std::string labelOf(const PageBuild& page, std::string_view record, std::string_view prefix)
{
    const std::string p(prefix);
    return LabelBeside(page.naming.labels, GetTagInt(record, p + "Left", 0), GetTagInt(record, p + "Top", 0),
                       GetTagInt(record, p + "Width", 0), GetTagInt(record, p + "Height", 0), page.naming.question);
}

// The targets of a drag as "left,top,width,height;...", for the page script's
// keyboard moves.
std::string targetBoxes(std::string_view drag)
{
    std::string out;
    for (const std::string& target : DragTargets(drag)) {
        const auto comma = target.find(',');
        if (comma == std::string::npos)
            continue;
        std::string box;
        for (const char c : target.substr(comma + 1)) {
            if ((c >= '0' && c <= '9') || c == ',' || c == '-' || c == '.')
                box += c;
        }
        out += box + ";";
    }
    return out;
}

bool hasFile(std::string_view record, std::string_view field)
{
    return GetTag(record, field) != "0";
}

}  // namespace

std::string Block(std::string_view id, int z, std::string_view left, std::string_view top, std::string_view width,
                  std::string_view height, std::string_view visibility, std::string_view colour)
{
    std::string out = "<div ";
    if (id != "0") {
        out += "id=\"";
        out += id;
        out += "\" ";
    }
    out += "style=\"position: absolute; top: ";
    out += top;
    out += "px; left: ";
    out += left;
    out += "px; width: ";
    out += width;
    out += "px; height: ";
    out += height;
    out += "px; z-index: " + str(z) + "; ";
    if (colour != "0") {
        out += "background-color: #";
        out += colour;
        out += "; ";
    }
    out += "visibility: ";
    out += visibility;
    out += "; \">";
    out += kBreak;
    return out;
}

const A11yTexts& PageBuild::say() const
{
    static const A11yTexts english = DefaultA11yTexts();
    return naming.texts ? *naming.texts : english;
}

void PageNaming::takeFrom(const std::vector<std::string>& textRecords)
{
    question = QuestionText(textRecords);
    labels = PageLabels(textRecords);
}

std::string MediaAddress(std::string_view absolutePath)
{
    return HtmlAttr(UrlPath(FlatName(absolutePath)));
}

int HtmlFontSize(int points)
{
    if (points < 9)
        return 0;
    if (points == 9)
        return 1;
    if (points <= 11)
        return 2;
    if (points <= 13)
        return 3;
    if (points <= 17)
        return 4;
    if (points <= 23)
        return 5;
    return 6;
}

void WritePageHead(PageBuild& page)
{
    std::string title = page.naming.question;
    if (title.empty())
        title = Say(page.say(), A11yText::QuestionFrame);
    page.head = fragment("fragments/page-head.htm",
                         {{"lang", HtmlAttr(Say(page.say(), A11yText::Language))}, {"title", HtmlText(title)}}, page.names);
    page.head += kBreak;
}

// A question's own sound gets a small button that plays it again (the
// expansion says where); it also plays the sound on a question reviewed after
// the finish, where it does not start by itself.
void WriteSoundButton(PageBuild& page, std::string_view q, const std::string& sound)
{
    if (GetTag(q, "soundButtonLeft").empty())
        return;
    const int size = std::clamp(GetTagInt(q, "soundButtonSize", 24), 12, 64);
    std::string& out = page.body;
    out += Block("qsoundbutton", 40, str(GetTagInt(q, "soundButtonLeft", 8)), str(GetTagInt(q, "soundButtonTop", 8)),
                 str(size), str(size), "visible");
    const std::string label = HtmlAttr(Say(page.say(), A11yText::PlaySound));
    line(out, "<button type=\"button\" id=\"qsound\" aria-label=\"" + label + "\" title=\"" + label + "\" style=\"width: " + str(size) + "px; height: " + str(size) + "px; padding: 0px; cursor: pointer; font-size: " + str(size / 2) + "px;\" "
                                                                                                                                                                                                                                         "onclick=\"var all = document.getElementsByTagName('audio'); for (var i = 0; i < all.length; i++) all[i].pause(); "
                                                                                                                                                                                                                                         "var a = document.getElementById('qsoundagain'); a.currentTime = 0; a.play();\">&#9654;</button>");
    // The sound as an element with a src attribute, not an address inside a
    // script: a test in one file swaps every src for the file's data address.
    line(out, "<audio id=\"qsoundagain\" src=\"" + MediaAddress(sound) + "\" preload=\"none\"></audio>");
    line(out, "</div>");
}

void WriteBodyStart(PageBuild& page, std::string_view q)
{
    std::string& out = page.body;
    const PageSize size = page.size;
    const std::string background = GetTag(q, "bgFilePathAbs");
    const int bgPosition = GetTagInt(q, "bgPosition", 0);

    out += "<body marginwidth=\"0\" marginheight=\"0\" topmargin=\"0\" leftmargin=\"0\" ";
    out += "onLoad=\"" + page.control(page.testPage ? "restoreAnswer" : "checkPreTest") + "();\" ";
    out += "bgcolor=\"#" + HtmlColour(GetTag(q, "bgColour")) + "\"";
    if (background != "0" && bgPosition == 5)
        out += " background=\"" + MediaAddress(background) + "\"";
    line(out, ">");

    if (page.testPage) {
        out += Block("cover", 50, "0", "0", str(size.width), str(size.height), "hidden");
        line(out, "<img src=\"buttons/blank.gif\" width=\"" + str(size.width) + "\" height=\"" + str(size.height) + "\" border=\"0\" cache=\"true\" alt=\"\">");
        line(out, "</div>");
    } else {
        const std::string left = str(size.width / 2 - 55);
        const std::string top = str(size.height / 2 - 100);
        for (int k = 0; k < 3; ++k) {
            out += Block("StartTestdiv" + str(k), 50, left, top, "110", "26", "hidden");
            // The resting layer takes the keyboard; the others only show its states.
            const std::string access = k == 0 ? "tabindex=\"0\" role=\"button\" aria-label=\""
                    + HtmlAttr(Say(page.say(), A11yText::StartTest)) + "\" data-press=\"up\" "
                                              : std::string(kHidden);
            line(out, "<img src=\"buttons/StartTest" + str(k) + ".gif\" width=\"110\" height=\"26\" cache=\"true\" " + access + "onMouseOver=\"StartTestdiv1.style.visibility = 'visible';\" "
                                                                                                                                "onMouseDown=\"StartTestdiv2.style.visibility = 'visible';\" ");
            line(out, "onMouseOut=\"StartTestdiv1.style.visibility = 'hidden'; StartTestdiv2.style.visibility = 'hidden';\" ");
            line(out, "onMouseUp=\"" + page.control("startTest") + "();\" border=\"0\">");
            line(out, "</div>");
        }
    }

    if (background != "0" && bgPosition != 5) {
        const int w = GetTagInt(q, "bgWidth", 1);
        const int h = GetTagInt(q, "bgHeight", 1);
        const int W = size.width;
        const int H = size.height;
        int top = (H - (h + 25)) / 2;
        int left = (W - w) / 2;
        switch (bgPosition) {
        case 1:
            top = 0;
            left = 0;
            break;
        case 2:
            top = 0;
            left = W - w;
            break;
        case 3:
            top = H - (h + 25);
            left = 0;
            break;
        case 4:
            top = H - (h + 25);
            left = W - w;
            break;
        default: break;
        }
        line(out, "<div id=\"back\" style=\"position: absolute; top: " + str(top) + "px; left: " + str(left) + "px; width: " + str(w) + "px; height: " + str(h) + "px; z-index: 1; visibility: visible;\">");
        line(out, "<img src=\"" + MediaAddress(background) + "\"  border=\"0\" alt=\"\">");
        line(out, "</div>");
    }

    const std::string sound = GetTag(q, "questionAudioAbs");
    if (sound != "0") {
        line(out, "<script><!--");
        line(out, "if (" + page.control("examStatus") + " != 2) document.write('" + SoundMarkup(sound) + "');");
        line(out, "//-->");
        line(out, "</script>");
        WriteSoundButton(page, q, sound);
    }

    // The sound frame waits inside a template until the first sound plays (the
    // page script makes it then): a frame on the page is a second page load
    // each time the student moves to another question.
    line(out, "<div id=\"b\" style=\"position: absolute; top: 0px; left: 0px; width: 1px; height: 1px; z-index: 1; visibility: visible;\">");
    line(out, "<template><iframe src=\"about:blank\" name=\"bs\" title=\"" + HtmlAttr(Say(page.say(), A11yText::Sound)) + "\" tabindex=\"-1\" aria-hidden=\"true\" scrolling=\"no\" width=\"1\" height=\"1\" marginwidth=\"0\" marginheight=\"0\" frameborder=\"no\"> ");
    line(out, "</iframe></template>");
    line(out, "</div>");
}

std::string PageFileText(const PageBuild& page)
{
    std::string text = page.head;
    line(text, "</head>");
    text += page.body;
    line(text, "</body>");
    text += "</html>";
    return text;
}

void WriteShape(PageBuild&, std::string_view shape, std::string& out)
{
    const int z = 10 - GetTagInt(shape, "ShapeLayer", 0);
    const int pen = GetTagInt(shape, "ShapePenWidth", 0);
    if (pen >= 1) {
        out += Block("0", z, stored(shape, "ShapeLeft"), stored(shape, "ShapeTop"), stored(shape, "ShapeWidth"),
                     stored(shape, "ShapeHeight"), "visible", HtmlColour(GetTag(shape, "ShapePenColour"), "000000"));
        line(out, "</div>");
    }
    const int l = GetTagInt(shape, "ShapeLeft", 20);
    const int t = GetTagInt(shape, "ShapeTop", 20);
    const int w = GetTagInt(shape, "ShapeWidth", 20);
    const int h = GetTagInt(shape, "ShapeHeight", 20);
    out += Block("0", z, str(l + pen), str(t + pen), str(w - 2 * pen), str(h - 2 * pen), "visible",
                 HtmlColour(GetTag(shape, "ShapeColor")));
    line(out, "</div>");
}

void WriteText(PageBuild& page, std::string_view text, std::string& out)
{
    std::string block = Block("0", 10 - GetTagInt(text, "TextLayer", 0), stored(text, "textLeft"), stored(text, "textTop"),
                              stored(text, "textWidth"), stored(text, "textHeight"), "visible");
    // The question is the page's heading; the page script puts the focus on it
    // when a new page replaces the one that had the focus.
    PageNaming& naming = page.naming;
    if (&out == &page.body && !naming.questionWritten && !naming.question.empty()
        && ReadText(GetTag(text, "vtString")) == naming.question) {
        block.insert(5, "id=\"question\" role=\"heading\" aria-level=\"1\" tabindex=\"-1\" ");
        naming.questionWritten = true;
    }
    out += block;
    const std::string size = str(HtmlFontSize(GetTagInt(text, "vtFontSize", 12)));
    const int alignment = GetTagInt(text, "vtAlignment", 0);
    const char* align = alignment == 1 ? "center" : alignment == 2 ? "right"
                                                                   : "left";
    const bool bold = GetTagInt(text, "vtBold", 0) == 1;
    const bool italic = GetTagInt(text, "vtItalic", 0) == 1;
    const bool underline = GetTagInt(text, "vtUnderline", 0) == 1;
    const std::string font = "<font face=\"" + stored(text, "vtFontName") + "\" size=\"" + size + "\" color=\"#"
        + HtmlColour(GetTag(text, "vtFontColour"), "000000") + "\">";

    const std::vector<std::string> lines = MarkedHtmlLines(DecodeText(GetTag(text, "vtString")));
    for (std::size_t i = 0; i < lines.size() && i < 100; ++i) {
        const std::string& current = lines[i];
        line(out, std::string("<div align=\"") + align + "\">");
        out += font;
        if (bold)
            out += "<b> ";
        if (italic)
            out += "<i> ";
        if (underline)
            out += "<u> ";
        out += current.empty() ? std::string("<br>") : current;
        if (underline)
            out += "</u> ";
        if (italic)
            out += "</i> ";
        if (bold)
            out += "</b> ";
        line(out, "</font>");
        line(out, "</div>");
    }
    line(out, "</div>");
}

void WritePicture(PageBuild& page, std::string_view picture, std::string& out, bool inFeedback)
{
    const std::string id = page.ids.of(GetTag(picture, "id"));
    const int z = 10 - GetTagInt(picture, "PictureLayer", 0);
    const bool over = hasFile(picture, "picOverFilePathAbs");
    const bool down = hasFile(picture, "picDownFilePathAbs");
    const bool sound = hasFile(picture, "picAudioAbs");
    const bool startPicture = !page.testPage && LowerCase(GetTag(picture, "PictureName")) == "starttest";
    const std::string soundPage = SoundPageName(page, id);

    std::string pressed;
    if (down)
        pressed += id + "downdiv.style.visibility = 'visible'; ";
    if (sound)
        pressed += PlaySound(soundPage, inFeedback);
    if (startPicture)
        pressed += page.control("startTest") + "(); ";
    const std::string onDown = pressed.size() >= 16 ? "onMouseDown=\"" + pressed + "\"" : std::string();

    const std::string left = stored(picture, "PictureLeft");
    const std::string top = stored(picture, "PictureTop");
    const std::string width = stored(picture, "PictureWidth");
    const std::string height = stored(picture, "PictureHeight");
    const std::string size = "width=\"" + width + "\" height=\"" + height + "\" ";

    out += Block(id + "div", z, left, top, width, height, "visible");
    std::string img = "<img src=\"" + MediaAddress(GetTag(picture, "picFilePathAbs")) + "\" ";
    img += startPicture ? std::string("name=\"stbutton\" ") : "name=\"" + id + "\" ";
    // A picture that does something when pressed is a button. Any other says
    // what the author wrote it shows (a question's own picture), or is the
    // style's decoration with an empty text.
    if (onDown.empty())
        img += "alt=\"" + HtmlAttr(DecodeText(GetTag(picture, "PictureDescription"))) + "\" ";
    else
        img += "tabindex=\"0\" role=\"button\" aria-label=\""
            + HtmlAttr(Say(page.say(), startPicture ? A11yText::StartTest : A11yText::Sound)) + "\" data-press=\"down\" ";
    img += size;
    if (over)
        img += "onMouseOver=\"" + id + "rolldiv.style.visibility = 'visible';\" ";
    img += onDown + " border=\"0\">";
    line(out, img);
    line(out, "</div>");

    if (over) {
        out += Block(id + "rolldiv", z, left, top, width, height, "hidden");
        line(out, "<img src=\"" + MediaAddress(GetTag(picture, "picOverFilePathAbs")) + "\" name=\"" + id + "\" " + size + std::string(kHidden) + "onMouseOut=\"" + id + "rolldiv.style.visibility = 'hidden';\" " + onDown + " border=\"0\" cache=\"true\">");
        line(out, "</div>");
    }
    if (down) {
        out += Block(id + "downdiv", z, left, top, width, height, "hidden");
        line(out, "<img src=\"" + MediaAddress(GetTag(picture, "picDownFilePathAbs")) + "\" name=\"" + id + "\" " + size + std::string(kHidden) + "onMouseUp=\"" + id + "downdiv.style.visibility = 'hidden';\"  border=\"0\" cache=\"true\">");
        line(out, "</div>");
    }
    if (sound)
        WriteSoundPage(page, soundPage, GetTag(picture, "picAudioAbs"));
}

void WriteVideo(PageBuild& page, std::string_view video, std::string& out, bool inFeedback)
{
    const std::string id = page.ids.of(GetTag(video, "id"));
    const int w = GetTagInt(video, "VideoWidth", 10);
    const int h = GetTagInt(video, "VideoHeight", 10);
    const bool controls = GetTag(video, "videoShowControls") == "1";
    const int blockHeight = h - 2 + (controls ? 20 : 0);
    const std::string file = GetTag(video, "videoFilePathAbs");

    out += Block(id + "div", 20, stored(video, "VideoLeft"), stored(video, "VideoTop"), stored(video, "VideoWidth"),
                 str(blockHeight), "visible");
    if (!BrowserPlaysVideo(file)) {
        // No current browser plays it inside a page (Flash, AVI, MPEG-1, ...):
        // the student gets the file to open rather than an empty box.
        line(out, "<a href=\"" + MediaAddress(file) + "\" target=\"_blank\">" + HtmlText(FlatName(file)) + "</a>");
        line(out, "</div>");
        return;
    }
    // Controls always: a browser may refuse to start a video by itself, and
    // the student must be able to start it then. Addresses are escaped for an
    // attribute, which leaves no quote or "<" that could end the script string.
    const std::string element = "<video src=\"" + MediaAddress(file) + "\" width=\"" + str(w - 2) + "\" height=\""
        + str(blockHeight) + "\" controls";
    if (GetTag(video, "videoAutoStart") == "0") {
        line(out, element + "></video>");
    } else if (inFeedback) {
        line(out, element + " autoplay></video>");
    } else {
        // A question reviewed after the finish does not start its video again.
        line(out, "<script><!--");
        line(out, "if (" + page.control("examStatus") + " != 2) document.write('" + element + " autoplay></video>');");
        line(out, "else document.write('" + element + "></video>');");
        line(out, "//-->");
        line(out, "</script>");
    }
    line(out, "</div>");
}

void WriteChoiceGroup(PageBuild& page)
{
    if (page.radios.empty())
        return;
    std::string owned;
    for (const std::string& radio : page.radios)
        owned += (owned.empty() ? "" : " ") + radio;
    const std::string name = page.naming.question.empty() ? std::string() : " aria-label=\"" + HtmlAttr(page.naming.question) + "\"";
    line(page.body, "<div role=\"radiogroup\"" + name + " aria-owns=\"" + owned + "\"></div>");
}

void WriteButton(PageBuild& page, std::string_view button)
{
    std::string& out = page.body;
    const std::string id = page.ids.of(GetTag(button, "id"));
    AddButtonEntries(page.arrays, button, id);
    const std::string removeSelection = page.control("removeSelection");
    const std::string checkSelections = page.control("checkSelections");

    const A11yTexts& say = page.say();
    const std::string beside = labelOf(page, button, "button");
    const int tickTop = GetTagInt(button, "buttonTop", 0) + GetTagInt(button, "buttonHeight", 0) - 35;
    const int tickLeft = GetTagInt(button, "buttonLeft", 0) + GetTagInt(button, "buttonWidth", 0) - 15;

    if (GetTagInt(button, "buttonType", 0) == 0) {
        // The resting layer stays visible under the others: it takes the keyboard
        // and says whether the choice is made (the page script keeps it true).
        const std::string name = JoinName(ChoiceLetter(page.naming.choices++), beside);
        // Choosing one of a one-answer question's choices clears the others:
        // a radio button, not a checkbox, is what a screen reader must announce.
        std::string role = "role=\"checkbox\" ";
        if (page.oneChoice) {
            role = "id=\"" + id + "radio\" role=\"radio\" ";
            page.radios.push_back(id + "radio");
        }
        const std::string access = "tabindex=\"0\" " + role + "aria-checked=\"false\" aria-label=\"" + HtmlAttr(name)
            + "\" data-choice=\"" + id + "\" ";
        const std::string soundPage = SoundPageName(page, id);
        std::string select = id + "2div.style.visibility = 'visible'; " + id + "cross.style.visibility = 'hidden'; " + id
            + "tick.style.visibility = 'hidden'; " + checkSelections + "('" + id + "'); ";
        if (hasFile(button, "ButtonSound1"))
            select += PlaySound(soundPage);
        writeButtonRow(out, button, id, 0, "s1",
                       "onMouseOver=\"" + id + "1div.style.visibility = 'visible';\"  border=\"0\" cache=\"true\">", access);
        writeButtonRow(out, button, id, 1, "s2",
                       "onMouseOut=\"" + id + "1div.style.visibility = 'hidden';\" onMouseDown=\"" + select
                           + "\" border=\"0\" cache=\"true\">");
        writeButtonRow(out, button, id, 2, "s3",
                       "onMouseDown=\"" + id + "2div.style.visibility = 'hidden'; " + id + "cross.style.visibility = 'hidden'; " + id
                           + "tick.style.visibility = 'hidden'; " + removeSelection + "('" + id + "'); \"  border=\"0\" cache=\"true\">");
        writeTickAndCross(page, out, id, tickTop, tickLeft, name);
        if (hasFile(button, "ButtonSound1"))
            WriteSoundPage(page, soundPage, GetTag(button, "ButtonSound1"));
        return;
    }

    const bool leftSound = hasFile(button, "ButtonSound2");
    const bool rightSound = hasFile(button, "ButtonSound3");
    const std::string leftPage = SoundPageName(page, id);
    const std::string rightPage = SoundPageName(page, id, true);
    const std::map<std::string, std::string> values{
        {"id", id},
        {"half", str(GetTagInt(button, "buttonWidth", 80) / 2)},
        {"soundLeft", leftSound ? PlaySound(leftPage) : std::string()},
        {"soundRight", rightSound ? PlaySound(rightPage) : std::string()},
    };
    const std::string move = fragment("fragments/truefalse-move.js", values, page.names);
    const std::string down = fragment("fragments/truefalse-down.js", values, page.names);
    const std::string pressAndMove = "onMouseDown=\"" + down + "\"onMouseMove=\"" + move + "\" border=\"0\" cache=\"true\">";
    auto out_ = [&](int layer) { return "onMouseOut=\"" + id + str(layer) + "div.style.visibility = 'hidden';\" "; };

    writeButtonRow(out, button, id, 0, "tf1", "onMouseMove=\"" + move + "\"  border=\"0\">");
    writeButtonRow(out, button, id, 1, "tf2",
                   out_(1) + "onMouseDown=\"" + down + "\" onMouseMove=\"" + move + "\" border=\"0\" cache=\"true\">");
    writeButtonRow(out, button, id, 2, "tf3", out_(2) + pressAndMove);
    writeButtonRow(out, button, id, 3, "tf4", pressAndMove);
    writeButtonRow(out, button, id, 4, "tf5", pressAndMove);
    writeButtonRow(out, button, id, 5, "tf6", out_(5) + pressAndMove);
    writeButtonRow(out, button, id, 6, "tf7", out_(6) + pressAndMove);
    // One picture holds both answers; two keyboard halves lie over it, letting
    // the pointer through to the picture below.
    ++page.naming.statements;
    std::string statement = beside.empty() ? page.naming.question : beside;
    if (statement.empty())
        statement = SayWith(say, A11yText::Answer, str(page.naming.statements));
    line(out, "<div style=\"position: absolute; top: " + stored(button, "buttonTop") + "px; left: " + stored(button, "buttonLeft") + "px; width: " + stored(button, "buttonWidth") + "px; height: " + stored(button, "buttonHeight") + "px; z-index: 29; pointer-events: none;\">");
    for (int half = 0; half < 2; ++half) {
        line(out, "<span tabindex=\"0\" role=\"button\" aria-pressed=\"false\" aria-label=\"" + HtmlAttr(JoinName(statement, Say(say, half == 0 ? A11yText::True : A11yText::False))) + "\" data-tf=\"" + id + "\" data-half=\"" + str(half) + "\" style=\"position: absolute; top: 0px; left: " + (half == 0 ? "0" : "50") + "%; width: 50%; height: 100%;\"></span>");
    }
    line(out, "</div>");
    writeTickAndCross(page, out, id, tickTop, tickLeft, statement);
    if (leftSound)
        WriteSoundPage(page, leftPage, GetTag(button, "ButtonSound2"));
    if (rightSound)
        WriteSoundPage(page, rightPage, GetTag(button, "ButtonSound3"));
}

void WriteField(PageBuild& page, std::string_view field)
{
    std::string& out = page.body;
    const std::string id = page.ids.of(GetTag(field, "id"));
    AddFieldEntries(page.arrays, field, id);

    out += Block(id + "0div", 20, stored(field, "FieldLeft"), stored(field, "FieldTop"), stored(field, "FieldWidth"),
                 stored(field, "FieldHeight"), "visible");
    // The id as well as the name: current browsers reach an input by its id only.
    ++page.naming.fields;
    std::string name = JoinName(page.naming.question, labelOf(page, field, "Field"));
    if (name.empty())
        name = SayWith(page.say(), A11yText::Answer, str(page.naming.fields));
    std::string input = "<input name=\"" + id + "\" id=\"" + id + "\" aria-label=\"" + HtmlAttr(name) + "\" size=\""
        + str(GetTagInt(field, "FieldWidth", 60) * 5 / 36) + "\" "
        // The block's width, whatever the browser's default font: a field
        // sized by its characters alone grows with a wider font and can run
        // under the question's picture.
        + "style=\"width: " + stored(field, "FieldWidth") + "px; box-sizing: border-box;\" ";
    const int restriction = GetTagInt(field, "editRestriction", 0);
    if (restriction == 1)
        input += "onkeyup=\"" + id + ".value = " + id + ".value.replace(/[^.1234567890-]/, '');\" ";
    else if (restriction == 2)
        input += "onkeyup=\"" + id + ".value = " + id + ".value.replace(/[^1234567890-]/, '');\" ";
    input += "onkeydown=\"" + id + "tick.style.visibility = 'hidden'; " + id + "cross.style.visibility = 'hidden';\" ";
    input += "type=\"text\" value=\"\">";
    line(out, input);
    line(out, "</div>");
    writeTickAndCross(page, out, id, GetTagInt(field, "FieldTop", 0) + GetTagInt(field, "FieldHeight", 0) - 20,
                      GetTagInt(field, "FieldLeft", 0) + GetTagInt(field, "FieldWidth", 0) - 10, name);
}

void WriteDrag(PageBuild& page, std::string_view drag)
{
    std::string& out = page.body;
    const std::string id = page.ids.of(GetTag(drag, "id"));
    AddDragEntries(page.arrays, drag, id);
    const std::string left = stored(drag, "DragLeft");
    const std::string top = stored(drag, "DragTop");
    const std::string width = stored(drag, "DragWidth");
    const std::string height = stored(drag, "DragHeight");
    ++page.naming.items;
    std::string name = GetTag(drag, "DragName");
    if (name.empty() || name == "0")
        name = labelOf(page, drag, "Drag");
    if (name.empty())
        name = SayWith(page.say(), A11yText::Item, str(page.naming.items));
    // Picked up by keyboard (or a tap), an item is pressed until it is dropped.
    const std::string access = "aria-label=\"" + HtmlAttr(name) + "\" aria-pressed=\"false\" data-drag=\"" + id
        + "\" data-targets=\"" + targetBoxes(drag) + "\" ";

    if (!hasFile(drag, "dragFilePathAbs")) {
        out += Block(id + "0div", 30, left, top, width, "20", "visible");
        line(out, "<button type=\"button\" name=\"" + id + "\" class=\"drag1\" style=\"cursor:pointer\" " + access + "><table width=\"" + str(GetTagInt(drag, "DragWidth", 100) * 68 / 100) + "\" height=\"" + str(GetTagInt(drag, "DragHeight", 20) - 6) + "\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\"> <tr> <td> <div align=\"center\"> "
                                                                                                                                                                                                                                                            "<font face=\"Arial,Helvetica,sans-serif\" size=\"-1\">"
                 + HtmlText(DecodeText(GetTag(drag, "DragName"))) + "</font> </div> </td> </tr> </table> </button>");
        line(out, "</div>");
    } else {
        const bool threeStates = hasFile(drag, "dragOverFilePathAbs") && hasFile(drag, "dragDownFilePathAbs");
        const std::string o1 = threeStates ? id + "1div.style.visibility = 'visible'; " : std::string();
        const std::string h1 = threeStates ? id + "1div.style.visibility = 'hidden'; " : std::string();
        const std::string o2 = threeStates ? id + "2div.style.visibility = 'visible'; " : std::string();
        const std::string h2 = threeStates ? id + "2div.style.visibility = 'hidden'; " : std::string();
        const std::string handlers = "onMouseOver=\"" + o1 + "\" onMouseOut=\"" + h1 + h2 + "\" onMouseDown=\"" + o1 + o2 + id
            + "tick.style.visibility = 'hidden'; " + id + "cross.style.visibility = 'hidden';\" ";
        const char* pictures[] = {"dragFilePathAbs", "dragOverFilePathAbs", "dragDownFilePathAbs"};
        for (int k = 0; k < (threeStates ? 3 : 1); ++k) {
            out += Block(id + str(k) + "div", 20 + k, left, top, width, height, k == 0 ? "visible" : "hidden");
            const std::string layerAccess = k == 0 ? "tabindex=\"0\" role=\"button\" " + access : std::string(kHidden);
            line(out, "<img src=\"" + MediaAddress(GetTag(drag, pictures[k])) + "\" " + layerAccess + "class=\"" + (threeStates ? "drag2" : "drag1") + "\" style=\"cursor:pointer\" name=\"" + id + "\" width=\"" + width + "\" height=\"" + height + "\" " + handlers + " border=\"0\" cache=\"true\">");
            line(out, "</div>");
        }
    }
    writeTickAndCross(page, out, id, GetTagInt(drag, "DragTop", 0) + GetTagInt(drag, "DragHeight", 0) - 20,
                      GetTagInt(drag, "DragLeft", 0) + GetTagInt(drag, "DragWidth", 0) - 10, name);
}

}  // namespace dorvel
