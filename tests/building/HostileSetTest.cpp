// A set's text is data, never structure: a title that closes its text element
// and opens a picture naming a local file must not bring that file into a
// bank, a preview or a web test. Runs the real installation the build lays
// out, with a set as an old or hand-made set file holds it (`<` and `>` raw).
#include "bank/ExportLists.h"
#include "building/ExpandSet.h"
#include "languages/LangStrings.h"
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <QDirIterator>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace dorvel {
namespace {

using test::ScriptedUserInterface;
using test::TempFolder;

int Cli(const std::vector<std::string>& args, std::string* out = nullptr)
{
    QProcess p;
    QStringList list;
    for (const std::string& a : args)
        list << toQString(a);
    p.start(toQString(std::string(DORVEL_BUILD_INSTALL_DIR) + "/dorvel-cli"), list);
    p.waitForFinished(120000);
    if (out)
        *out = p.readAllStandardOutput().toStdString();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

const std::string kSecret = "SECRET-CONTENT-4711";

// Closes the text (or answer) element it is written into and opens a picture
// of the file at `path`, as the report describes.
std::string Hostile(const std::string& path)
{
    return "x</vtString></vtText><vtPicture><id>pic</id><picFilePathAbs>" + path
        + "</picFilePathAbs><PictureLeft>0</PictureLeft><PictureTop>0</PictureTop><PictureWidth>9</PictureWidth>"
          "<PictureHeight>9</PictureHeight></vtPicture><vtText><vtString>y";
}

OpenSet HostileSet(const std::string& secretPath)
{
    OpenSet set;
    set.testDetails = SetTag(DefaultTestDetails(), "TestName", Hostile(secretPath));
    set.testDetails = SetTag(set.testDetails, "ExaminerName", Hostile(secretPath));
    set.questionSlots[0] = DefaultQuestionRecord();
    const std::string hostile = Hostile(secretPath);
    std::string choice = SetTag(DefaultQuestionRecord(), "Title", hostile);
    choice = SetTag(choice, "Text1", hostile);
    std::string typed = SetTag(DefaultQuestionRecord(), "qType", "7");
    typed = SetTag(typed, "Title", hostile);
    typed = SetTag(typed, "a10", "</FieldAnswer1></vtField>" + hostile);
    typed = SetTag(typed, "tType1", "</editRestriction></vtField>" + hostile);
    set.questionSlots[1] = choice;
    set.questionSlots[2] = typed;
    return set;
}

// Every file below `folder` (names and contents).
std::vector<std::pair<std::string, std::string>> FilesBelow(const std::string& folder)
{
    std::vector<std::pair<std::string, std::string>> files;
    QDirIterator it(toQString(folder), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const std::string path = fromQString(it.next());
        std::string bytes;
        ReadFileBytes(path, bytes);
        files.emplace_back(path, bytes);
    }
    return files;
}

TEST(HostileSet, TextThatLooksLikeAPictureNeverReachesBankPreviewOrWebTest)
{
    TempFolder dir;
    const std::string secret = dir.path("secret.txt");
    ASSERT_TRUE(WriteFileBytes(secret, kSecret));
    OpenSet set = HostileSet(secret);
    const std::string setPath = dir.path("hostile.vtd");
    ASSERT_TRUE(WriteStoredFile(setPath, PrepareSetFileText(set, 0)));

    // Build: the bank holds no such file, neither listed nor as bytes.
    const std::string bankPath = dir.path("hostile.vtb");
    ASSERT_EQ(Cli({"build", setPath, bankPath}), 0);
    std::string listing;
    ASSERT_EQ(Cli({"bank", bankPath}, &listing), 0);
    const std::string listed = listing.substr(listing.find("\nFiles: "));
    EXPECT_EQ(listed.find("secret.txt"), std::string::npos) << listing;
    std::string bank;
    ASSERT_TRUE(ReadFileBytes(bankPath, bank));
    EXPECT_EQ(bank.find(kSecret), std::string::npos);

    // Preview: the one question's lists name no such file either.
    {
        SetInstallationFolder(DORVEL_BUILD_INSTALL_DIR);
        ScriptedUserInterface ui;
        LangStrings lang;
        for (int n = 1; n <= 2; ++n) {
            ExportLists lists;
            ExpandSet(set, ui, lang, lists, n);
            for (const std::string& file : lists.foundFiles)
                EXPECT_EQ(file.find("secret"), std::string::npos) << file;
            EXPECT_EQ(lists.questionFileList.find("<vtPicture><id>pic"), std::string::npos);
        }
        SetInstallationFolder({});
    }

    // Web test: nothing of the file beside the pages, and the student reads
    // the title as it was written.
    const std::string startPage = dir.path("web/test.htm");
    ASSERT_TRUE(ForceDirectory(dir.path("web")));
    ASSERT_EQ(Cli({"export", setPath, startPage, "--layout", "classic"}), 0);
    const auto files = FilesBelow(dir.path("web"));
    ASSERT_GT(files.size(), 10u);
    bool titleShown = false;
    for (const auto& [path, bytes] : files) {
        EXPECT_EQ(ExtractFileName(path).find("secret"), std::string::npos) << path;
        EXPECT_EQ(bytes.find(kSecret), std::string::npos) << path;
        titleShown = titleShown || bytes.find("x&lt;/vtString&gt;&lt;/vtText&gt;&lt;vtPicture&gt;") != std::string::npos;
    }
    EXPECT_TRUE(titleShown);
}

}  // namespace
}  // namespace dorvel
