#include "export/StartPages.h"

#include "export/ExportWrites.h"
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

bool WriteStartPages(const std::string& testName, const std::string& startPage, const StartPageTexts& texts,
    const std::string& questionFileList, ExportWrites& writes)
{
    const int sizeClass = GetTagInt(questionFileList, "windowSize", 0);
    std::string screenTest = "if ((screen.width < 640) || (screen.height < 480)) {";
    std::string windowSize = "640,height=443";
    if (sizeClass == 1) {
        screenTest = "if ((screen.width < 800) || (screen.height < 600)) {";
        windowSize = "800,height=563";
    } else if (sizeClass == 2) {
        screenTest = "if ((screen.width < 1024) || (screen.height < 768)) {";
        windowSize = "1024,height=731";
    }
    const std::string folder = UrlPath(TestFolderBase(startPage));
    const std::map<std::string, std::string> values{
        {"s66", HtmlText(texts.s66)},
        {"testName", HtmlText(testName)},
        {"s87", JsString(texts.s87)},
        {"screenTest", screenTest},
        {"folder", JsString(folder)},
        {"folderAttr", HtmlAttr(folder)},
        {"windowSize", windowSize},
        {"s68", JsString(texts.s68)},
        {"s69", JsString(texts.s69)},
        {"s67", HtmlAttr(texts.s67)},
        {"siteAddress", HtmlAttr(kSiteAddress)},
        {"siteName", HtmlText(kSiteName)},
        {"lang", HtmlAttr(Say(texts.a11y, A11yText::Language))},
        {"questionFrame", HtmlAttr(Say(texts.a11y, A11yText::QuestionFrame))},
        {"controlsFrame", HtmlAttr(Say(texts.a11y, A11yText::ControlsFrame))},
    };
    const std::string folderPath = TestFolder(startPage);
    return writes.write(startPage, page("start.htm", values)) && writes.write(folderPath + "frame.htm", page("frame.htm", values))
        && writes.write(folderPath + "blank.htm", page("blank.htm", values));
}

}  // namespace dorvel
