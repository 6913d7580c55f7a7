#include "export/WriteTestPages.h"

#include "export/ControlPage.h"
#include "export/ExportWrites.h"
#include "export/FeedbackPages.h"
#include "export/QuestionPage.h"
#include "export/StartPages.h"
#include "export/WebText.h"
#include "languages/LangStrings.h"
#include "model/SetFields.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace dorvel {

namespace {

// Every question of a set (at most 100) and as many pre-test pages.
constexpr int kMaxQuestionsPerList = 100;
constexpr int kMaxElementsPerKind = 100;

// Takes the elements of one kind out of the question, in file order. A value
// shorter than five characters ends the walk over the kind.
std::vector<std::string> takeAll(std::string& question, std::string_view kind)
{
    std::vector<std::string> elements;
    while (static_cast<int>(elements.size()) < kMaxElementsPerKind) {
        std::string e = GetTag(question, kind);
        if (e.size() < 5)
            break;
        question = RemoveTag(question, kind);
        elements.push_back(std::move(e));
    }
    return elements;
}

std::string flag(std::string_view details, std::string_view name)
{
    return GetTagInt(details, name, 1) == 1 ? "1," : "0,";
}

struct Walk {
    const ScriptNameTable& names;
    ScriptArrays& arrays;
    TestPages& pages;
    PageSize size;
    bool showFeedback;
    UserInterface& ui;
    const A11yTexts& a11y;
};

// One page of either pass. Returns false when the list has no question N.
bool writeQuestion(Walk& walk, const std::string& list, int n, bool testPage)
{
    walk.ui.progressAdvance(2);
    std::string q = GetTag(list, "questionFile" + std::to_string(n));
    if (q.size() < 20)
        return false;

    ScriptArrays& arrays = walk.arrays;
    if (testPage) {
        for (std::string* a : arrays.nested())
            *a += "[";
        arrays.qshowAllfbs += JsLiteral(GetTag(q, "ShowAllFeedbackMatches")) + ",";
        arrays.questionNumberListG += std::to_string(n) + ",";
        arrays.qMaxSelectionsG += JsLiteral(GetTag(q, "numSelections")) + ",";
    }

    PageBuild page{walk.names, arrays, walk.pages, walk.size, n, testPage, walk.showFeedback && testPage, {}, {}, {}, {}, {}, false, {}};
    page.naming.texts = &walk.a11y;
    {
        std::string copy = q;
        page.naming.takeFrom(takeAll(copy, "vtText"));
    }
    WritePageHead(page);
    WriteBodyStart(page, q);

    if (page.showFeedback) {
        for (const std::string& f : takeAll(q, "vtFeedback"))
            TakeFeedback(page, f);
    }
    const std::vector<std::string> shapes = takeAll(q, "vtShape");
    const std::vector<std::string> texts = takeAll(q, "vtText");
    const std::vector<std::string> pictures = takeAll(q, "vtPicture");
    // Layer 9 lies lowest; elements of layers outside 0 to 9 are not shown.
    for (int layer = 9; layer >= 0; --layer) {
        for (const std::string& e : shapes) {
            if (GetTagInt(e, "ShapeLayer", 0) != layer)
                continue;
            if (std::string* out = FeedbackTarget(page, GetTag(e, "feedback")))
                WriteShape(page, e, *out);
        }
        for (const std::string& e : texts) {
            if (GetTagInt(e, "TextLayer", 0) != layer)
                continue;
            if (std::string* out = FeedbackTarget(page, GetTag(e, "feedback")))
                WriteText(page, e, *out);
        }
        for (const std::string& e : pictures) {
            if (GetTagInt(e, "PictureLayer", 0) != layer)
                continue;
            if (std::string* out = FeedbackTarget(page, GetTag(e, "feedback")))
                WritePicture(page, e, *out, out != &page.body);
        }
    }
    for (const std::string& e : takeAll(q, "vtVideo")) {
        if (std::string* out = FeedbackTarget(page, GetTag(e, "feedback")))
            WriteVideo(page, e, *out, out != &page.body);
    }
    if (testPage) {
        page.oneChoice = GetTagInt(q, "numSelections", 0) == 1;
        for (const std::string& e : takeAll(q, "vtButton"))
            WriteButton(page, e);
        WriteChoiceGroup(page);
        for (const std::string& e : takeAll(q, "vtField"))
            WriteField(page, e);
        for (const std::string& e : takeAll(q, "vtDrag"))
            WriteDrag(page, e);
    }

    walk.pages.add((testPage ? "q" : "p") + std::to_string(n) + ".htm", PageFileText(page));
    if (testPage) {
        WriteFeedbackPages(page);
        for (std::string* a : arrays.nested())
            *a = TrimComma(*a) + "], ";
    }
    return true;
}

}  // namespace

std::string CreatedForPage(std::string_view testDetails)
{
    // The results page writes the time the set was saved in the pack's
    // language; the set's display date is English ("8:00 am, Friday ...")
    // and stands only where the set has no time of its own.
    const std::string stamp = GetTag(testDetails, setfield::kCreationDate);
    const bool digits = stamp.size() == 14 && stamp.find_first_not_of("0123456789") == std::string::npos;
    if (!digits)
        return DecodeText(GetTag(testDetails, "creationDisplayDate"));
    return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + "T" + stamp.substr(8, 2) + ":"
        + stamp.substr(10, 2) + ":" + stamp.substr(12, 2);
}

InterfaceTexts InterfaceTextsFrom(const LangStrings& lang)
{
    InterfaceTexts texts;
    for (int i = 0; i < 17; ++i)
        texts.textsA[static_cast<std::size_t>(i)] = PackPlainText(lang.at(70 + i));
    texts.textsA[17] = PackPlainText(lang.at(Message::BrowserRefusesFiles));
    for (int i = 0; i < 7; ++i)
        texts.textsB[static_cast<std::size_t>(i)] = PackPlainText(lang.at(90 + i));
    for (int i = 0; i < 12; ++i)
        texts.textsB[static_cast<std::size_t>(7 + i)] = PackPlainText(lang.at(100 + i));
    texts.a11y = A11yTextsFrom(lang);
    texts.learnerLabel = lang.at(Message::StudentLabel);
    texts.site = InstalledMakerSite();
    return texts;
}

unsigned ClockSeed()
{
    return static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count());
}

WrittenTest WriteTestPages(const std::string& testName, const std::string& startPage, const std::string& testDetails,
                           const InterfaceTexts& texts, const ExportLists& lists, UserInterface& ui, unsigned seed,
                           const std::string& platformScript, bool scratch)
{
    WrittenTest result;
    result.names.draw(seed);
    ScriptArrays& arrays = result.arrays;
    arrays.qDetailsG = "\"" + JsString(testName) + "\",\"" + JsString(DecodeText(GetTag(testDetails, setfield::kExaminerName))) + "\",\""
        + JsString(CreatedForPage(testDetails)) + "\",";

    TestPages pages;
    Walk walk{result.names, arrays, pages, PageSizeFor(GetTagInt(lists.questionFileList, "windowSize", 0)),
              GetTagInt(testDetails, setfield::kShowFeedback, 0) == 1, ui, texts.a11y};
    for (int n = 0; n < kMaxQuestionsPerList && writeQuestion(walk, lists.preTestFileList, n, false); ++n)
        ++result.preTestPages;
    for (int n = 0; n < kMaxQuestionsPerList && writeQuestion(walk, lists.questionFileList, n, true); ++n)
        ++result.questionPages;

    ui.progressPosition(90);
    arrays.qOptionsG += flag(testDetails, setfield::kAllowFinishedQuestionViewing) + flag(testDetails, setfield::kAllowPrinting)
        + flag(testDetails, setfield::kPresentInRandomOrder);
    for (std::string* a : arrays.all())
        *a = TrimComma(*a);

    ui.progressPosition(95);
    const ControlPageInput control{result.names, arrays, texts, walk.size, result.preTestPages,
                                   GetTagInt(testDetails, setfield::kAllowMarking, 0) == 1, GetTagInt(testDetails, setfield::kAllowCheating, 0) == 1,
                                   std::max(1, GetTagInt(testDetails, setfield::kQuestionPreviewNumber, 1)),
                                   !platformScript.empty()};
    const std::string folder = TestFolder(startPage);
    ExportWrites writes(scratch);
    if (!platformScript.empty())
        writes.write(folder + "scorm.js", platformScript);
    pages.add("blank.htm", BlankPageText(texts.a11y));
    pages.add("control.htm", ControlPageText(control, seed ^ 0x5bd1e995u));
    pages.add("p.js", PageScriptText(result.names));
    writes.write(folder + std::string(kPagesScriptName), pages.scriptText());
    result.error = writes.error();
    ui.progressHide();
    return result;
}

}  // namespace dorvel
