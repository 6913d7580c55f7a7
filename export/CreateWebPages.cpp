#include "export/CreateWebPages.h"

#include "building/ExpandSet.h"
#include "editor/UserInterface.h"
#include "editor/Workspace.h"
#include "export/CopyButtonImages.h"
#include "export/ExportWrites.h"
#include "export/ExportLists.h"
#include "export/ExportedFiles.h"
#include "export/StartPages.h"
#include "export/TestServer.h"
#include "platform/SystemFiles.h"
#include "shell/LangStrings.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

namespace dorvel {

namespace {

std::string withoutBlanks(std::string text)
{
    std::string out;
    for (const char c : text) {
        if (c != ' ')
            out += c;
    }
    return out;
}

}  // namespace

std::string WebTestName(const std::string& testDetails, const std::string& setFilePath)
{
    const std::string name = GetTag(testDetails, "TestName");
    return name == "0" ? ExtractFileName(setFilePath) : DecodeText(name);
}

WrittenTest ExportWebTest(const WebExport& request, const ExportLists& lists, const LangStrings& lang, UserInterface& ui)
{
    // Nothing goes on after a failed step: a refused folder gets no pages.
    ExportWrites writes(request.scratch);
    const auto failed = [&] {
        ui.progressHide();
        WrittenTest none;
        none.error = writes.error();
        return none;
    };
    // What the last export wrote goes; what the author put into the folder stays.
    const std::string folder = TestFolder(request.startPage);
    RemoveEarlierExport(folder);
    const FolderSnapshot before = SnapshotTestFolder(folder);

    ui.progressLabel(lang.key("s41"));
    ui.progressPosition(20);
    if (!CopyButtonImages(request.startPage, lang.key("s48"), request.language, lists.foundFiles, ui, writes))
        return failed();

    ui.progressLabel(lang.key("s42"));
    ui.progressPosition(40);
    const StartPageTexts texts{lang.key("s66"), lang.key("s67"), lang.key("s68"), lang.key("s69"), lang.key("s87"),
        A11yTextsFrom(lang)};
    if (!WriteStartPages(request.testName, request.startPage, texts, lists.questionFileList, writes))
        return failed();

    ui.progressLabel(lang.key("s43"));
    ui.progressPosition(65);
    WrittenTest written = WriteTestPages(request.testName, request.startPage, request.testDetails, InterfaceTextsFrom(lang),
        lists, ui, request.seed, request.platformScript, request.scratch);

    WriteExportedList(folder, before);
    ui.progressLabel(lang.key("s44"));
    ui.progressPosition(100);
    ui.progressHide();
    return written;
}

std::string ServeWebTest(const std::string& startPage)
{
    TestServer& server = TestServer::shared();
    const std::string address = server.start() ? server.publish(startPage) : std::string();
    return address.empty() ? startPage : address;
}

std::optional<std::string> ChooseExportPath(Workspace& workspace, UserInterface& ui, const OpenSet& set,
    FileDialog dialog, bool removeBlanks)
{
    std::string proposed = ExtractFileName(set.filePath);
    proposed.erase(proposed.size() >= 4 ? proposed.size() - 4 : 0);
    dialog.folder = workspace.lastDir();
    dialog.proposedName = removeBlanks ? withoutBlanks(proposed) : proposed;
    const std::optional<std::string> chosen = ui.chooseSaveFile(dialog);
    if (!chosen)
        return std::nullopt;
    workspace.setLastDir(ExtractFilePath(*chosen));
    return ChangeFileExt(*chosen, "." + dialog.defaultExtension);
}

bool SaveAndExpandForExport(Workspace& workspace, UserInterface& ui, const LangStrings& lang)
{
    workspace.SaveTest();

    ui.progressCaption(lang.key("s39"));
    ui.progressLabel(lang.key("s40"));
    ui.progressPosition(10);
    const std::string status = ExpandSet(workspace, ui, lang, TheExportLists(), 0, true);
    if (status == kTemplateFileProblem) {
        ui.progressHide();
        return false;
    }
    return true;
}

void CreateWebPagesCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang, const std::string& language)
{
    OpenSet* set = workspace.current();
    if (!set)
        return;
    FileDialog dialog;
    dialog.title = "Save Web Test  As...";
    dialog.filter = "Web Pages|*htm";
    dialog.defaultExtension = "htm";
    const std::optional<std::string> chosen = ChooseExportPath(workspace, ui, *set, dialog, true);
    if (!chosen)
        return;
    const std::string startPage = *chosen;
    // The dialog asked about the start page only; the test's folder beside it
    // is asked about here, by name. (A link there is refused by the export.)
    const std::string testFolder = TestFolder(startPage);
    if (DirectoryExists(testFolder) && !IsSymbolicLink(testFolder.substr(0, testFolder.size() - 1))
        && ui.ask(lang.at(182) + "\n" + testFolder, Buttons::YesNo, Tone::Question) != Answer::Yes)
        return;

    if (!SaveAndExpandForExport(workspace, ui, lang))
        return;
    const ExportLists& lists = TheExportLists();

    // Saving may have given a new set its file.
    set = workspace.current();
    if (!set)
        return;
    const WebExport request{startPage, WebTestName(set->testDetails, set->filePath), set->testDetails, language, ClockSeed(), {}};
    // A tab still open on an earlier export of this page must not load the
    // new one's files half-written (nor at all: it gets an address of its own).
    TestServer::shared().withdraw(startPage);
    if (const WrittenTest written = ExportWebTest(request, lists, lang, ui); !written.error.empty()) {
        ui.announce("s120");
        ui.showMessage(lang.at(120) + " " + written.error, Tone::Error);
        return;
    }

    workspace.showSavedAnd(lang.at(402) + " " + startPage);
    ui.announce("s45");
    if (ui.ask(lang.key("s45"), Buttons::YesNo, Tone::Confirmation) != Answer::No)
        ui.openWithSystem(ServeWebTest(startPage));
}

}  // namespace dorvel
