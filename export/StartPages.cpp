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
    return page("start.htm", {
                                 {"s66", HtmlText(texts.s66)},
                                 {"testName", HtmlText(testName)},
                                 {"s87", JsString(texts.s87)},
                                 {"screenTest", screenTest},
                                 {"testAddress", links.testAddress},
                                 {"owlAddress", links.owlAddress},
                                 {"windowSize", windowSize},
                                 {"s68", JsString(texts.s68)},
                                 {"s69", JsString(texts.s69)},
                                 {"s67", HtmlAttr(texts.s67)},
                                 {"siteAddress", HtmlAttr(kSiteAddress)},
                                 {"siteName", HtmlText(kSiteName)},
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
