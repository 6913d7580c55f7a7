#include "player/PlayedTest.h"

#include "export/MediaNames.h"
#include "model/SetFields.h"

#include "bank/BankReader.h"
#include "bank/ExportLists.h"
#include "export/CreateWebPages.h"
#include "export/PageScript.h"
#include "export/StartPages.h"
#include "export/WebTemplates.h"
#include "export/WebText.h"
#include "languages/LangStrings.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <algorithm>
#include <set>

namespace dorvel {

namespace {

// The player asks nothing while it writes the test.
class QuietUserInterface : public UserInterface {
public:
    void showMessage(const std::string&, Tone) override {}
    Answer ask(const std::string&, Buttons, Tone) override { return Answer::Yes; }
    std::vector<std::string> chooseOpenFiles(const FileDialog&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const FileDialog&) override { return std::nullopt; }
};

// Every embedded file goes into the test folder under the name the pages
// ask for, as the web export copies it; the first file of a name wins.
void ExtractMedia(BankReader& reader, const std::string& testFolder, std::vector<std::string>& notes)
{
    std::set<std::string> written;
    for (const BankFileEntry& entry : reader.files()) {
        if (!entry.embedded()) {
            notes.push_back(entry.name + " is not in the bank");
            continue;
        }
        const std::string name = FlatName(entry.name);
        if (!IsPlainFileName(name)) {
            notes.push_back("refused to unpack " + entry.name + ": \"" + name + "\" is not a plain file name");
            continue;
        }
        if (!written.insert(name).second)
            continue;
        if (!reader.extract(entry, testFolder, name))
            notes.push_back(reader.error());
    }
}

std::string TestNameOf(const std::string& testDetails, const std::string& bankPath)
{
    const std::string name = GetTag(testDetails, setfield::kTestName);
    return name.empty() || name == "0" ? ExtractFileName(bankPath) : DecodeText(name);
}

}  // namespace

PlayedTest WritePlayedTest(const std::string& bankPath, const std::string& folder, const LangStrings& lang,
                           const std::string& language, unsigned seed)
{
    PlayedTest played;
    BankReader reader;
    if (!reader.open(bankPath)) {
        played.error = reader.error();
        return played;
    }
    if (const std::string overlap = OverlapError(reader.files()); !overlap.empty()) {
        played.error = bankPath + ": " + overlap;
        return played;
    }

    ExportLists lists;
    lists.questionFileList = reader.questionFileList();
    lists.preTestFileList = reader.preTestFileList();
    const int questions = static_cast<int>(BankReader::NumberedRecords(lists.questionFileList).size());
    if (questions == 0 && BankReader::NumberedRecords(lists.preTestFileList).empty()) {
        played.error = bankPath + ": the bank holds no questions";
        return played;
    }

    const std::string details = reader.testDetails();
    played.testName = TestNameOf(details, bankPath);
    played.preview = GetTag(details, "questionPreview") == "1";
    played.previewNumber = played.preview ? std::max(0, GetTagInt(details, setfield::kQuestionPreviewNumber, 0)) : 0;
    played.questions = questions;
    played.startPage = JoinPath(folder, kPlayedStartPage);

    // The media go in after the pages: a file in the bank can never take the
    // place of a page the test needs.
    QuietUserInterface quiet;
    // The pages and the unpacked files name the bank's files alike, as the
    // web export of the set names them.
    std::vector<std::string> bankFiles;
    for (const BankFileEntry& entry : reader.files())
        bankFiles.push_back(entry.name);
    const MediaNames names(bankFiles);
    const MediaNamesScope scope(names);
    // The folder is the player's own and goes when it stops: nothing to keep
    // through a crash, so no page is forced onto the disk.
    const WebExport request{played.startPage, played.testName, details, language, seed, {}, true};
    const WrittenTest written = ExportWebTest(request, lists, lang, quiet);
    played.questionPages = written.questionPages;
    if (!written.error.empty()) {
        played.error = "cannot write the test into " + folder + ": " + written.error;
        return played;
    }
    ExtractMedia(reader, TestFolder(played.startPage), played.notes);
    // A web test has room for fewer questions than a bank.
    if (played.questionPages < questions)
        played.notes.push_back("the bank holds " + std::to_string(questions) + " questions; the test shows the first "
                               + std::to_string(played.questionPages));
    return played;
}

std::string PlayedTitle(const PlayedTest& test, const LangStrings& lang)
{
    if (!test.preview || test.previewNumber < 1)
        return test.testName;
    return test.testName + ": " + lang.at(Message::Question) + " " + std::to_string(test.previewNumber);
}

std::string PreviewAddress(const std::string& startAddress)
{
    const auto slash = startAddress.rfind('/');
    return startAddress.substr(0, slash == std::string::npos ? 0 : slash + 1) + kPreviewPage;
}

bool AddPreviewReload(const PlayedTest& test)
{
    const std::string folder = TestFolder(test.startPage);
    const auto script = LoadWebTemplate("preview-reload.js");
    std::string frameset;
    if (!script || !ReadFileBytes(folder + "frame.htm", frameset))
        return false;
    const auto headEnd = frameset.find("</head>");
    if (headEnd == std::string::npos)
        return false;
    frameset.insert(headEnd, "<script src=\"preview-reload.js\"></script>\r\n");
    return WriteFileBytes(folder + "preview-reload.js", *script) && WriteFileBytes(folder + "frame.htm", frameset)
        && WriteFileBytes(folder + "preview-next.txt", "");
}

bool SendPreviewTabTo(const PlayedTest& test, const std::string& address)
{
    return WriteFileBytes(TestFolder(test.startPage) + "preview-next.txt", address);
}

}  // namespace dorvel
