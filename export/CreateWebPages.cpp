#include "export/CreateWebPages.h"

#include "export/MediaNames.h"
#include "model/SetFields.h"

#include <optional>

#include "bank/ExportLists.h"
#include "model/DefaultRecords.h"
#include "shell/MakerSite.h"
#include "export/CopyButtonImages.h"
#include "export/ExportWrites.h"
#include "export/ExportedFiles.h"
#include "export/StartPages.h"
#include "languages/LangStrings.h"
#include "platform/SystemFiles.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"
#include "storage/PartFiles.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

namespace dorvel {

namespace {

StartPageTexts startPageTexts(const LangStrings& lang, const std::string& testDetails)
{
    StartPageTexts texts;
    texts.s66 = lang.at(Message::WebTestLabel);
    texts.s67 = lang.at(Message::StartTheTest);
    texts.s68 = lang.at(Message::BrowserCannotRun);
    texts.s69 = lang.at(Message::UseCurrentBrowser);
    texts.s87 = lang.at(Message::WebScreenTooSmall);
    texts.s88 = lang.at(Message::BrowserRefusesFiles);
    texts.a11y = A11yTextsFrom(lang);
    texts.site = InstalledMakerSite();
    texts.askName = AsksStudentName(testDetails);
    texts.nameLabel = lang.at(Message::YourName);
    texts.nameMissing = lang.at(Message::TypeYourName);
    return texts;
}

}  // namespace

std::string WebTestName(const std::string& testDetails, const std::string& setFilePath)
{
    const std::string name = GetTag(testDetails, setfield::kTestName);
    return name == "0" ? ExtractFileName(setFilePath) : DecodeText(name);
}

namespace {

// Writes the test straight into its place (a part folder, or the player's
// private folder).
WrittenTest writeWebTest(const WebExport& request, const ExportLists& lists, const LangStrings& lang, UserInterface& ui)
{
    // Files of the same name from different folders get names of their own,
    // alike for the copies and the pages (the player names a bank's files
    // itself, around this call).
    const MediaNames names(lists.foundFiles);
    std::optional<MediaNamesScope> scope;
    if (!ActiveMediaNames())
        scope.emplace(names);
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

    ui.progressLabel(lang.at(Message::CopyingButtons));
    ui.progressPosition(20);
    if (!CopyButtonImages(request.startPage, lang.at(Message::CopyingMedia), request.language, lists.foundFiles, ui, writes))
        return failed();

    ui.progressLabel(lang.at(Message::WritingStartPage));
    ui.progressPosition(40);
    if (!WriteStartPages(request.testName, request.startPage, startPageTexts(lang, request.testDetails), lists.questionFileList, writes))
        return failed();

    ui.progressLabel(lang.at(Message::WritingQuestionPages));
    ui.progressPosition(65);
    WrittenTest written = WriteTestPages(request.testName, request.startPage, request.testDetails, InterfaceTextsFrom(lang),
                                         lists, ui, request.seed, request.platformScript, request.scratch);

    WriteExportedList(folder, before);
    ui.progressLabel(lang.at(Message::WebPagesReady));
    ui.progressPosition(100);
    ui.progressHide();
    return written;
}

WrittenTest failedTest(std::string error)
{
    WrittenTest none;
    none.error = std::move(error);
    return none;
}

}  // namespace

std::string ExportFolderProblem(const std::string& startPage)
{
    // Into an existing folder only: a mistyped folder is reported, not made.
    const std::string native = NativeSeparators(startPage);
    if (const std::string parent = ExtractFilePath(native); !parent.empty() && !DirectoryExists(parent))
        return "no such folder: " + parent;
    // Nothing is written or removed through a link where a folder of the test belongs.
    const std::string folder = TestFolder(native);
    for (const std::string& entry : {folder.substr(0, folder.size() - 1), JoinPath(folder, kButtonFolder)}) {
        if (IsSymbolicLink(entry))
            return entry + " is a symbolic link, not a folder: the web test is not written there";
        // A file of the folder's name is the author's: it is never swapped away.
        if (FileExists(entry) && !DirectoryExists(entry))
            return "cannot create the folder " + entry + ": a file has its name";
    }
    return {};
}

WrittenTest ExportWebTest(const WebExport& request, const ExportLists& lists, const LangStrings& lang, UserInterface& ui)
{
    if (request.scratch)
        return writeWebTest(request, lists, lang, ui);
    if (std::string problem = ExportFolderProblem(request.startPage); !problem.empty())
        return failedTest(std::move(problem));

    // The new test is written whole beside the old one, which stays as it
    // was until every file of the new one is on the disk; then the two
    // folders change places and the new start page is renamed over the old.
    // A failure on the way (a full disk) leaves the old test untouched.
    RemoveLeftoverParts(request.startPage);
    PartFolder part(request.startPage);
    if (!part.valid())
        return failedTest("cannot write beside " + request.startPage + ": " + part.error());
    WebExport inPart = request;
    inPart.startPage = part.path() + ExtractFileName(request.startPage);
    const std::string folder = NativeSeparators(TestFolder(request.startPage));
    const std::string newFolder = TestFolder(inPart.startPage);
    std::string error;
    if (DirectoryExists(folder) && !CarryOverAuthorFiles(folder, newFolder, error))
        return failedTest(std::move(error));
    WrittenTest written = writeWebTest(inPart, lists, lang, ui);
    if (!written.error.empty())
        return written;
    if (!SwapIntoPlace(newFolder.substr(0, newFolder.size() - 1), folder.substr(0, folder.size() - 1)))
        written.error = "cannot put the folder " + folder + " in place: " + LastErrorText();
    else if (!ReplaceFile(inPart.startPage, NativeSeparators(request.startPage)))
        written.error = "cannot put " + request.startPage + " in place: " + LastErrorText();
    return written;
}

SingleFileTest ExportSingleFileTest(const WebExport& request, const ExportLists& lists, const LangStrings& lang,
                                    UserInterface& ui)
{
    SingleFileTest failed;
    // The test is written into a part folder beside the file, packed, and
    // the folder removed; a killed export leaves the folder for the next one
    // to remove.
    if (const std::string parent = ExtractFilePath(NativeSeparators(request.startPage)); !parent.empty() && !DirectoryExists(parent)) {
        failed.error = "no such folder: " + parent;
        return failed;
    }
    RemoveLeftoverParts(request.startPage);
    PartFolder folder(request.startPage);
    if (!folder.valid()) {
        failed.error = "cannot write beside " + request.startPage + ": " + folder.error();
        return failed;
    }
    WebExport inFolder = request;
    inFolder.startPage = folder.path() + ExtractFileName(request.startPage);
    inFolder.scratch = true;
    failed.error = ExportWebTest(inFolder, lists, lang, ui).error;
    if (!failed.error.empty())
        return failed;
    return PackSingleFileTest(inFolder.startPage, request.startPage, request.testName, startPageTexts(lang, request.testDetails),
                              GetTagInt(lists.questionFileList, "windowSize", 0));
}

std::string ExportedMessage(const LangStrings& lang, const std::string& startPage, const SingleFileTest* single)
{
    std::string text;
    if (single) {
        text = lang.at(Message::OneFileTravelsAlone) + " " + ExtractFileName(startPage) + " (" + SizeText(single->bytes) + ")";
        if (single->bytes > kMailSizeLimit)
            text += "\r\n" + lang.at(Message::FileTooLargeForMail);
    } else {
        text = lang.at(Message::FolderTravelsTogether) + " " + ExtractFileName(startPage) + ", " + TestFolderBase(startPage);
    }
    return text + "\r\n" + lang.at(Message::OpenWebTestNow);
}

}  // namespace dorvel
