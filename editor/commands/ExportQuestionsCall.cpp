#include "editor/commands/ImportQuestionsCall.h"

#include "editor/Workspace.h"
#include "editor/commands/CreateWebPagesCall.h"
#include "exchange/ExportQuestions.h"
#include "exchange/Reasons.h"
#include "export/CreateWebPages.h"
#include "languages/LangStrings.h"

namespace dorvel::exchange {

void ExportQuestionsCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang)
{
    const OpenSet* set = workspace.current();
    if (!set)
        return;
    struct Choice {
        int label;
        ExportFormat format;
        const char* filter;
        const char* extension;
    };
    const Choice choices[] = {
        {text::kMoodleXml, ExportFormat::MoodleXml, "Moodle XML|*.xml", "xml"},
        {text::kGift, ExportFormat::Gift, "GIFT|*.gift", "gift"},
        {text::kQti, ExportFormat::QtiPackage, "IMS QTI 2.1 Packages|*.zip", "zip"},
    };
    std::vector<std::string> labels;
    for (const Choice& c : choices)
        labels.push_back(lang.at(c.label));
    const std::optional<int> picked = ui.chooseOne(lang.at(text::kExportAs), labels);
    if (!picked || *picked < 0 || *picked >= static_cast<int>(std::size(choices)))
        return;
    const Choice& choice = choices[*picked];
    FileDialog dialog;
    dialog.title = "Export Questions As...";
    dialog.filter = choice.filter;
    dialog.defaultExtension = choice.extension;
    const std::optional<std::string> path = ChooseExportPath(workspace, ui, *set, dialog, false);
    if (!path)
        return;
    const ExportOutcome outcome = ExportSetQuestions(*set, *path, choice.format, lang);
    std::string notes;
    for (const std::string& note : outcome.notes)
        notes += "\n" + note;
    if (!outcome.written) {
        ui.showMessage(lang.at(text::kExportFailed) + "\n" + *path + "\n" + outcome.error + notes, Tone::Error);
        return;
    }
    ui.showMessage(lang.at(text::kExported) + "\n" + *path + notes, outcome.notes.empty() ? Tone::Information : Tone::Warning);
}

}  // namespace dorvel::exchange
