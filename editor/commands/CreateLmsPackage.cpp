#include "editor/commands/CreateLmsPackage.h"

#include "bank/ExportLists.h"
#include "editor/Workspace.h"
#include "editor/commands/CreateWebPagesCall.h"
#include "export/CreateWebPages.h"
#include "export/WriteTestPages.h"
#include "languages/LangStrings.h"
#include "lms/ScormPackage.h"
#include "model/PassMark.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"

namespace dorvel {

void CreateLmsPackageCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang, const std::string& language,
                          ScormVersion version)
{
    OpenSet* set = workspace.current();
    if (!set)
        return;
    FileDialog dialog;
    dialog.title = "Save LMS Package As...";
    dialog.filter = "SCORM Packages|*.zip";
    dialog.defaultExtension = "zip";
    const std::optional<std::string> chosen = ChooseExportPath(workspace, ui, *set, dialog, false);
    if (!chosen)
        return;
    const std::string zipPath = *chosen;

    if (!SaveAndExpandForExport(workspace, ui, lang))
        return;
    // Saving may have given a new set its file.
    set = workspace.current();
    if (!set)
        return;
    const ScormExport request{zipPath, version, PassMarkOf(set->testDetails), WebTestName(set->testDetails, set->filePath),
                              set->testDetails, language, ClockSeed()};
    const ScormResult result = WriteScormPackage(request, TheExportLists(), lang, ui);
    ui.progressHide();
    if (!result.written) {
        ui.announce(MessageKey(Message::LmsPackageNotWritten));
        ui.showMessage(lang.at(Message::LmsPackageNotWritten) + "\n" + zipPath + "\n" + result.error, Tone::Error);
        return;
    }
    workspace.showSavedAnd(lang.at(Message::LmsPackageWrittenTo) + " " + zipPath);
    ui.announce(MessageKey(Message::LmsPackageReady));
    ui.showMessage(lang.at(Message::LmsPackageReady) + "\n" + zipPath, Tone::Information);
}

}  // namespace dorvel
