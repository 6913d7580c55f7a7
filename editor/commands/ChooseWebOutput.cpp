#include "editor/commands/ChooseWebOutput.h"

#include "editor/Workspace.h"
#include "editor/commands/CreateLmsPackage.h"
#include "editor/commands/CreateWebPagesCall.h"
#include "export/CreateWebPages.h"
#include "languages/LangStrings.h"
#include "platform/UserInterface.h"

#include <functional>
#include <vector>

namespace dorvel {

void CreateWebOutputCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang, const std::string& language)
{
    if (!workspace.current())
        return;
    struct Output {
        int label;  // language string
        std::function<void()> make;
    };
    // One entry per kind of output, in the order offered.
    const std::vector<Output> outputs{
        {324, [&] { CreateWebPagesCall(workspace, ui, lang, language); }},
        {223, [&] { CreateWebPagesCall(workspace, ui, lang, language, true); }},
        {325, [&] { CreateLmsPackageCall(workspace, ui, lang, language, ScormVersion::Scorm12); }},
        {326, [&] { CreateLmsPackageCall(workspace, ui, lang, language, ScormVersion::Scorm2004); }},
    };
    std::vector<std::string> labels;
    for (const Output& output : outputs)
        labels.push_back(lang.at(output.label));
    const std::optional<int> chosen = ui.chooseOne(lang.at(Message::WhatToMake), labels);
    if (chosen && *chosen >= 0 && *chosen < static_cast<int>(outputs.size()))
        outputs[static_cast<std::size_t>(*chosen)].make();
}

}  // namespace dorvel
