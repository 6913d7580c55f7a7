#include "export/StartPages.h"

#include "export/ExportWrites.h"
#include "export/PageScript.h"
#include "export/WebTemplates.h"
#include "export/WebText.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

namespace dorvel {

namespace {

std::string page(std::string_view name, const std::map<std::string, std::string>& values)
{
    const auto text = LoadWebTemplate(name);
    return text ? WithLineBreaks(FillPlaceholders(*text, values), "\r\n") : std::string();
}

}  // namespace

std::string TestFolderBase(std::string_view startPage)
{
    std::string name = ExtractFileName(startPage);
    name.erase(name.size() >= 4 ? name.size() - 4 : 0);
    std::string base;
    for (const char c : name) {
        if (c != ' ')
            base += c;
    }
    return base + "res";
}

std::string TestFolder(std::string_view startPage)
{
    return JoinPath(ExtractFilePath(startPage), TestFolderBase(startPage)) + "/";
}

std::string MakerLine(const std::optional<MakerSite>& site, std::string_view fontAttributes)
{
    if (!site)
        return {};
    const std::string font = "<font size=\"-1\"" + std::string(fontAttributes) + ">";
    return "<p>" + font + "Vantric</font></p><p>" + font + "<a target=\"_blank\" href=\"" + HtmlAttr(site->address) + "\">"
        + HtmlText(site->name) + "</a></font></p>";
}

std::string StartPageText(const std::string& testName, const StartPageTexts& texts, int sizeClass,
                          const StartPageLinks& links)
{
    std::string screenTest = "if ((screen.width < 640) || (screen.height < 480)) {";
    std::string windowSize = "640,height=443";
    if (sizeClass == 1) {
        screenTest = "if ((screen.width < 800) || (screen.height < 600)) {";
        windowSize = "800,height=563";
    } else if (sizeClass == 2) {
        screenTest = "if ((screen.width < 1024) || (screen.height < 768)) {";
        windowSize = "1024,height=731";
    }
    // The name travels to the frameset in its address (?learner=...), which
    // works alike from files, from a server and for the single file, where
    // no window can read another's storage.
    std::string nameBox;
    std::string nameCheck;
    std::string testAddress = links.testAddress;
    std::string formAttributes;
    if (texts.askName) {
        nameBox = "<p><label for=\"studentName\"><font face=\"Verdana,Arial,Helvetica,sans-serif\">" + HtmlText(texts.nameLabel)
            + "</font></label> <input type=\"text\" id=\"studentName\" name=\"studentName\" size=\"30\" maxlength=\""
            + std::to_string(kStudentNameLength) + "\" autocomplete=\"name\"></p>"
            + "<p id=\"nameMissing\" role=\"alert\"><font face=\"Verdana,Arial,Helvetica,sans-serif\" color=\"#b00020\"></font></p>";
        nameCheck = "var learner = document.getElementById('studentName').value.replace(/^\\s+|\\s+$/g, '');"
                    " if (!learner) { document.getElementById('nameMissing').firstChild.textContent = '"
            + JsString(texts.nameMissing) + "'; document.getElementById('studentName').focus(); return; }";
        // The query goes before the single file's "#test".
        nameCheck += " var learnerAddress = function (address) { var parts = address.split('#');"
                     " return parts[0].split('?')[0] + '?learner=' + encodeURIComponent(learner)"
                     " + (parts.length > 1 ? '#' + parts[1] : ''); };";
        testAddress = "learnerAddress(" + testAddress + ")";
        // Enter in the box starts the test instead of reloading the page.
        formAttributes = " onsubmit=\"startTest(); return false;\"";
    }
    return page("start.htm", {
                                 {"nameBox", nameBox},
                                 {"nameCheck", nameCheck},
                                 {"formAttributes", formAttributes},
                                 {"s66", HtmlText(texts.s66)},
                                 {"testName", HtmlText(testName)},
                                 {"s87", JsString(texts.s87)},
                                 {"screenTest", screenTest},
                                 {"testAddress", testAddress},
                                 {"owlAddress", links.owlAddress},
                                 {"windowSize", windowSize},
                                 {"s68", JsString(texts.s68)},
                                 {"s69", JsString(texts.s69)},
                                 {"s67", HtmlAttr(texts.s67)},
                                 {"maker", MakerLine(texts.site, " face=\"Verdana,Arial,Helvetica,sans-serif\"")},
                                 {"lang", HtmlAttr(Say(texts.a11y, A11yText::Language))},
                             });
}

std::string FramesetText(const std::string& testName, const StartPageTexts& texts, const std::string& pagesScript)
{
    const auto loader = LoadWebTemplate("loader.js");
    const std::string loaderText = loader ? FillPlaceholders(CompactScript(*loader),
                                                             {{"refused", JsString(texts.s88)}, {"refusedHtml", JsString(HtmlText(texts.s88))}})
                                          : std::string();
    return page("frame.htm", {{"testName", HtmlText(testName)}, {"pagesScript", pagesScript}, {"loader", loaderText}, {"lang", HtmlAttr(Say(texts.a11y, A11yText::Language))}, {"questionFrame", HtmlAttr(Say(texts.a11y, A11yText::QuestionFrame))}, {"controlsFrame", HtmlAttr(Say(texts.a11y, A11yText::ControlsFrame))}});
}

std::string BlankPageText(const A11yTexts& a11y)
{
    return page("blank.htm", {{"lang", HtmlAttr(Say(a11y, A11yText::Language))}, {"questionFrame", HtmlAttr(Say(a11y, A11yText::QuestionFrame))}});
}

bool WriteStartPages(const std::string& testName, const std::string& startPage, const StartPageTexts& texts,
                     const std::string& questionFileList, ExportWrites& writes)
{
    const std::string folder = UrlPath(TestFolderBase(startPage));
    const StartPageLinks links{"'" + JsString(folder + "/frame.htm") + "'", HtmlAttr(folder + "/buttons/owl.gif")};
    const int sizeClass = GetTagInt(questionFileList, "windowSize", 0);
    return writes.write(startPage, StartPageText(testName, texts, sizeClass, links))
        && writes.write(TestFolder(startPage) + "frame.htm",
                        FramesetText(testName, texts, "\t\t<script src=\"" + std::string(kPagesScriptName) + "\"></script>"));
}

}  // namespace dorvel
