#include "building/ExpandSet.h"

#include "bank/BankLists.h"
#include "bank/ExportLists.h"
#include "building/QuestionMediaExpansion.h"
#include "building/StyleNames.h"
#include "building/TemplateFilling.h"
#include "languages/LangStrings.h"
#include "model/OpenSet.h"
#include "model/SetFields.h"
#include "platform/UserInterface.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <map>
#include <optional>

namespace dorvel {

namespace {

// A style name from a set file must name a folder inside the templates
// folder, not a way out of it.
bool IsStyleName(const std::string& style)
{
    return !style.empty() && style != "." && style != ".." && style.find_first_of("/\\") == std::string::npos;
}

class Expander {
public:
    Expander(UserInterface& ui, const LangStrings& lang, std::string folder)
        : m_ui(ui)
        , m_lang(lang)
        , m_folder(std::move(folder))
    {
    }

    std::optional<std::string> preTest(const std::string& testDetails)
    {
        const std::string path = m_folder + "pretest.vtq";
        const std::optional<std::string> content = readTemplate(path);
        if (!content)
            return std::nullopt;
        if (GetTagInt(*content, "version", 1) >= 2) {
            reportWithPath(Message::TemplateTooNew, path);
            return std::nullopt;
        }
        return FillPreTestTemplate(*content, testDetails);
    }

    std::optional<std::string> question(const std::string& record, const QuestionMediaUse& media)
    {
        // A record without a kind (or a malformed one) is a new question's
        // four choices, as the editor, the paper test and the question type
        // read it.
        const QuestionTemplate tmpl = TemplateForType(GetTagInt(record, setfield::kQuestionType, 2));
        const std::optional<std::string> content = readTemplate(m_folder + tmpl.fileName());
        if (!content)
            return std::nullopt;
        return PlaceQuestionMedia(FillQuestionTemplate(*content, record, tmpl), media);
    }

    void showMessageKey(const std::string& key)
    {
        m_ui.announce(key);
        m_ui.showMessage(m_lang.key(key), Tone::Information);
    }

private:
    // The first vtQuestion of a template file. A template that is missing,
    // or holds no question (damaged, or not a template), is reported: an
    // empty question would end the bank's question list early.
    // A set uses a handful of templates for up to a hundred questions: each
    // file is read and unscrambled once per expansion.
    std::optional<std::string> readTemplate(const std::string& path)
    {
        auto known = m_templates.find(path);
        if (known == m_templates.end()) {
            std::string content;
            if (FileExists(path))
                content = GetTag(ReadStoredFile(path), "vtQuestion");
            known = m_templates.emplace(path, std::move(content)).first;
        }
        if (known->second.empty()) {
            reportWithPath(Message::TemplateMissing, path);
            return std::nullopt;
        }
        return known->second;
    }

    void reportWithPath(Message message, const std::string& path)
    {
        m_ui.announce(MessageKey(message));
        m_ui.showMessage(m_lang.at(message) + " " + path, Tone::Warning);
    }

    UserInterface& m_ui;
    const LangStrings& m_lang;
    std::string m_folder;
    std::map<std::string, std::string> m_templates;
};

std::string Wrapped(const std::string& content)
{
    return "<vtQuestion>" + content + "</vtQuestion>";
}

}  // namespace

std::string StyleUsedFor(const std::string& testDetails)
{
    const std::string style = GetTag(testDetails, setfield::kGraphicStyle);
    if (IsStyleName(style) && DirectoryExists(TemplatesFolder() + style))
        return style;
    const std::vector<std::string> styles = StyleNames();
    return styles.empty() ? std::string() : styles.front();
}

std::string TemplateFolderFor(const std::string& testDetails)
{
    const std::string style = StyleUsedFor(testDetails);
    return TemplatesFolder() + (style.empty() ? std::string() : style + "/");
}

std::string ExpandSet(const OpenSet& set, UserInterface& ui, const LangStrings& lang, ExportLists& lists,
                      int questionNumber)
{
    const std::string folder = TemplateFolderFor(set.testDetails);
    Expander expander(ui, lang, folder);

    std::string preTestText;
    if (questionNumber == 0) {
        ui.progressPosition(0);
        ui.progressShow();
        const std::optional<std::string> page = expander.preTest(set.testDetails);
        if (!page)
            return kTemplateFileProblem;
        preTestText = Wrapped(*page);
    }

    std::string questionsText;
    std::vector<QuestionMediaProblem> mediaProblems;
    const int first = questionNumber == 0 ? 1 : questionNumber;
    const int last = questionNumber == 0 ? kMaxQuestions : questionNumber;
    for (int m = first; m <= last && m >= 1 && m <= kMaxQuestions; ++m) {
        const std::string& record = set.questionSlots[static_cast<std::size_t>(m)];
        if (record.empty() || GetTagInt(record, setfield::kQuestionDisabled, 0) == 1)
            continue;
        const QuestionMediaUse media = UsableQuestionMedia(record, set.filePath, m, mediaProblems);
        const std::optional<std::string> expanded = expander.question(record, media);
        if (!expanded)
            return kTemplateFileProblem;
        questionsText += Wrapped(*expanded);
    }

    const std::string status = BuildBankLists(lists, ui, questionsText, preTestText, folder);
    if (mediaProblems.empty())
        return status;
    return AddQuestionMediaProblems(lists, mediaProblems, lang);
}

}  // namespace dorvel
