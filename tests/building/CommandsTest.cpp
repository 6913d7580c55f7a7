#include "bank/BankReader.h"
#include "bank/ExportLists.h"
#include "editor/commands/BuildCommand.h"
#include "editor/commands/PreviewCommand.h"
#include "building/QuestionPlayer.h"
#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/building/FixtureInstallation.h"
#include "tests/building/ScopedEnvironment.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace dorvel {
namespace {

using test::FixtureInstallation;
using test::QuestionRecord;
using test::ScopedEnvironment;
using test::ScriptedUserInterface;
using test::TempFolder;

std::string Bytes(const std::string& path)
{
    std::string out;
    EXPECT_TRUE(ReadFileBytes(path, out)) << path;
    return out;
}

// A workspace with one saved set of three multiple-choice questions in the
// fixture's style, a player in the installation folder, and a desktop and a
// temporary folder of its own.
struct Scene {
    Scene()
        : workspace(ui, lang)
    {
        env.set("TMPDIR", dir.path("tmp"));
        for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            env.set(xdg, dir.path("xdg"));
        ForceDirectory(dir.path("tmp"));
        // The user's runtime folder, where Preview keeps its private scratch folder.
        env.set("XDG_RUNTIME_DIR", dir.path("run"));
        MakePrivateFolder(dir.path("run"));
        lang.applyPack("0027 No player\n0028 Expanding\n0029 Preview\n0030 Build\n0031 Files missing\n"
                       "0032 Not written:\n0033 Player failed\n0034 Nothing embedded\n0035 No player to try it\n"
                       "0036 Try it now?\n0037 Template missing:\n0046 Measuring\n0047 Writing\n"
                       "0056 Could not build\n0057 Too many\n");
        player = install.writeFile("VTX", "player");
        workspace.NewSet();
        OpenSet& s = set();
        s.testDetails = SetTag(s.testDetails, "GraphicStyle", "Plain");
        s.testDetails = SetTag(s.testDetails, "TestName", "Unit 1");
        for (int n = 1; n <= 3; ++n)
            s.questionSlots[static_cast<std::size_t>(n)] = QuestionRecord(2, "Question " + std::to_string(n));
        s.filePath = dir.path("Unit1.vtd");
        workspace.setLastDir(dir.path("banks"));
        workspace.SaveTest();
        savedSet = Bytes(s.filePath);
    }

    OpenSet& set() { return *workspace.current(); }
    std::string previewBank() const { return dir.path("run/dorvel-preview/singleq.vtb"); }

    TempFolder dir;
    ScopedEnvironment env;
    FixtureInstallation install;
    ScriptedUserInterface ui;
    LangStrings lang;
    Workspace workspace;
    ExportLists lists;
    std::string player;
    std::string savedSet;
};

TEST(PreviewQuestion, BuildsAOneQuestionBankWithItsFlagsAndStartsThePlayer)
{
    Scene s;
    s.workspace.TestTreeChange(0, 2);
    const std::string details = s.set().testDetails;
    PreviewQuestion(s.workspace, s.ui, s.lang, s.lists);
    EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
    EXPECT_EQ(s.ui.opened, std::vector<std::string>{s.player});
    EXPECT_EQ(Bytes(s.install.path("VTX.txt")), "<f>" + s.previewBank() + "</f>");

    BankReader reader;
    ASSERT_TRUE(reader.open(s.previewBank())) << reader.error();
    EXPECT_EQ(reader.testDetails().rfind("<questionPreview>1</questionPreview> <questionPreviewNumber>2</questionPreviewNumber> "
                                         "<allowCheating>1</allowCheating> <allowMarking>1</allowMarking> ",
                                         0),
              0u)
        << reader.testDetails();
    const auto qs = BankReader::NumberedRecords(reader.questionFileList());
    ASSERT_EQ(qs.size(), 1u);
    EXPECT_NE(qs[0].find("Question 2"), std::string::npos);
    // The set keeps its own details, in memory and on disk.
    EXPECT_EQ(s.set().testDetails, details);
    EXPECT_EQ(Bytes(s.set().filePath), s.savedSet);
}

// Left out of the test is not out of the author's sight: Preview shows the
// question (before, it did nothing at all), and the set keeps it left out.
TEST(PreviewQuestion, ShowsAQuestionLeftOutOfTheTest)
{
    Scene s;
    std::string& record = s.set().questionSlots[3];
    record = SetTag(record, "qDisabled", "1");
    const std::string leftOut = record;
    s.workspace.TestTreeChange(0, 3);
    PreviewQuestion(s.workspace, s.ui, s.lang, s.lists);
    EXPECT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
    EXPECT_EQ(s.ui.opened, std::vector<std::string>{s.player});
    BankReader reader;
    ASSERT_TRUE(reader.open(s.previewBank())) << reader.error();
    const auto qs = BankReader::NumberedRecords(reader.questionFileList());
    ASSERT_EQ(qs.size(), 1u);
    EXPECT_NE(qs[0].find("Question 3"), std::string::npos);
    EXPECT_EQ(s.set().questionSlots[3], leftOut);
}

TEST(PreviewQuestion, StopsQuietlyOrWithTheRightMessage)
{
    struct Case {
        const char* name;
        std::function<void(Scene&)> setUp;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"no player", [](Scene& s) { DeleteFile(s.player); }, {"No player"}},
        {"missing template", [](Scene& s) { DeleteFile(s.install.styleFolder() + "mc4.vtq"); }, {"Template missing: {style}mc4.vtq", "Could not build"}},
        {"missing media", [](Scene& s) { DeleteFile(s.install.styleFolder() + "bg.bmp"); }, {"Could not build"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        c.setUp(s);
        s.workspace.TestTreeChange(0, 3);
        PreviewQuestion(s.workspace, s.ui, s.lang, s.lists);
        std::vector<std::string> expected;
        for (std::string m : c.messages) {
            if (const auto at = m.find("{style}"); at != std::string::npos)
                m.replace(at, 7, s.install.styleFolder());
            expected.push_back(m);
        }
        EXPECT_EQ(s.ui.messages, expected);
        EXPECT_TRUE(s.ui.opened.empty());
        EXPECT_FALSE(FileExists(s.install.path("VTX.txt")));
    }
}

// On a shared computer no other account may read, take or swap the preview:
// its folder is the user's own, mode 0700, whatever was there before.
TEST(PreviewQuestion, TheScratchFolderIsPrivateAndAnEarlierBankIsReplaced)
{
    const auto mode = [](const std::string& path) {
        return QFileInfo(toQString(path)).permissions()
            & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    };
    {
        Scene s;
        s.workspace.TestTreeChange(0, 1);
        PreviewQuestion(s.workspace, s.ui, s.lang, s.lists);
        ASSERT_TRUE(s.ui.messages.empty()) << s.ui.messages.front();
        EXPECT_EQ(mode(s.dir.path("run/dorvel-preview")), QFile::Permissions());
    }
    {
        // Made open to all by somebody (or an older version): made private again.
        Scene s;
        ForceDirectory(s.dir.path("run/dorvel-preview"));
        QFile::setPermissions(toQString(s.dir.path("run/dorvel-preview")), QFileDevice::Permissions(0x7777));
        s.dir.write("run/dorvel-preview/singleq.vtb", "old bank");
        s.workspace.TestTreeChange(0, 1);
        PreviewQuestion(s.workspace, s.ui, s.lang, s.lists);
        EXPECT_EQ(mode(s.dir.path("run/dorvel-preview")), QFile::Permissions());
        BankReader reader;
        EXPECT_TRUE(reader.open(s.previewBank())) << reader.error();
    }
    {
        // A link planted in its place is refused: nothing is written through it.
        Scene s;
        ForceDirectory(s.dir.path("elsewhere"));
        ASSERT_TRUE(QFile::link(toQString(s.dir.path("elsewhere")), toQString(s.dir.path("run/dorvel-preview"))));
        s.workspace.TestTreeChange(0, 1);
        PreviewQuestion(s.workspace, s.ui, s.lang, s.lists);
        ASSERT_EQ(s.ui.messages.size(), 1u);
        EXPECT_EQ(s.ui.messages[0].rfind("Not written: " + s.dir.path("run/dorvel-preview/"), 0), 0u) << s.ui.messages[0];
        EXPECT_TRUE(ListFiles(s.dir.path("elsewhere")).empty());
        EXPECT_TRUE(s.ui.opened.empty());
    }
}

TEST(BuildButtonClick, BuildsTheChosenBankAndStartsThePlayerOnYes)
{
    Scene s;
    ForceDirectory(s.dir.path("banks"));
    const std::string usersFile = s.dir.write("banks/Unit1.tmp", "the author's own file");
    s.ui.saveChoices.push_back(s.dir.path("banks/Unit1.txt"));
    s.ui.answers.push_back(Answer::Yes);
    BuildButtonClick(s.workspace, s.ui, s.lang, s.lists);

    ASSERT_EQ(s.ui.dialogs.size(), 1u);
    EXPECT_EQ(s.ui.dialogs[0].proposedName, "Unit1");
    EXPECT_EQ(s.ui.dialogs[0].folder, s.dir.path("banks"));
    EXPECT_EQ(s.ui.questions, std::vector<std::string>{"Try it now?"});
    EXPECT_TRUE(s.ui.messages.empty());
    const std::string bank = s.dir.path("banks/Unit1.vtb");
    EXPECT_EQ(Bytes(s.install.path("VTX.txt")), "<f>" + bank + "</f>");
    EXPECT_EQ(s.ui.opened, std::vector<std::string>{s.player});
    EXPECT_EQ(Bytes(usersFile), "the author's own file");
    EXPECT_EQ(s.workspace.lastDir(), WithSeparator(s.dir.path("banks")));

    BankReader reader;
    ASSERT_TRUE(reader.open(bank)) << reader.error();
    EXPECT_EQ(BankReader::NumberedRecords(reader.questionFileList()).size(), 3u);
    EXPECT_EQ(BankReader::NumberedRecords(reader.preTestFileList()).size(), 1u);
    // The bank carries the details as saved.
    EXPECT_EQ(reader.testDetails(), s.set().testDetails);
    EXPECT_NE(reader.testDetails().find("<creationdate>"), std::string::npos);
}

TEST(BuildButtonClick, AnswersAndFailuresEndTheBuildAsTheyShould)
{
    struct Case {
        const char* name;
        std::function<void(Scene&)> setUp;
        std::vector<Answer> answers;
        std::vector<std::string> questions;
        std::vector<std::string> messages;
        bool bankWritten;
        bool playerStarted;
    };
    const Case cases[] = {
        {"player declined", [](Scene&) {}, {Answer::No}, {"Try it now?"}, {}, true, false},
        {"missing media, cancelled",
         [](Scene& s) { DeleteFile(s.install.styleFolder() + "bg.bmp"); },
         {Answer::Cancel},
         {"Files missing\r\n\r\n{style}bg.bmp\r\n"},
         {},
         false,
         false},
        {"missing media, built without",
         [](Scene& s) { DeleteFile(s.install.styleFolder() + "bg.bmp"); },
         {Answer::Yes, Answer::Yes},
         {"Files missing\r\n\r\n{style}bg.bmp\r\n", "Try it now?"},
         {},
         true,
         true},
        {"nothing to embed",
         [](Scene& s) {
             DeleteFile(s.install.path("Buttons/tick.gif"));
             DeleteFile(s.install.path("Buttons/cross.gif"));
             DeleteFile(s.install.styleFolder() + "bg.bmp");
         },
         {Answer::Yes},
         {"Files missing\r\n\r\n{buttons}tick.gif\r\n{buttons}cross.gif\r\n{style}bg.bmp\r\n"},
         {"Nothing embedded"},
         true,
         false},
        {"no player", [](Scene& s) { DeleteFile(s.player); }, {}, {}, {"No player to try it"}, true, false},
        {"missing template",
         [](Scene& s) { DeleteFile(s.install.styleFolder() + "pretest.vtq"); },
         {},
         {},
         {"Template missing: {style}pretest.vtq", "Could not build"},
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene s;
        ForceDirectory(s.dir.path("banks"));
        c.setUp(s);
        s.ui.saveChoices.push_back(s.dir.path("banks/Unit1.vtb"));
        s.ui.answers.assign(c.answers.begin(), c.answers.end());
        BuildButtonClick(s.workspace, s.ui, s.lang, s.lists);
        auto withStyle = [&](std::vector<std::string> texts) {
            for (std::string& m : texts) {
                for (auto at = m.find("{style}"); at != std::string::npos; at = m.find("{style}"))
                    m.replace(at, 7, s.install.styleFolder());
                for (auto at = m.find("{buttons}"); at != std::string::npos; at = m.find("{buttons}"))
                    m.replace(at, 9, s.install.path("Buttons/"));
            }
            return texts;
        };
        EXPECT_EQ(s.ui.questions, withStyle(c.questions));
        EXPECT_EQ(s.ui.messages, withStyle(c.messages));
        EXPECT_EQ(FileExists(s.dir.path("banks/Unit1.vtb")), c.bankWritten);
        EXPECT_EQ(!s.ui.opened.empty(), c.playerStarted);
    }
}

TEST(BuildButtonClick, BankThatCannotBeWrittenIsReportedNeverOffered)
{
    Scene s;
    const std::string bank = s.dir.path("no such folder/Unit1.vtb");
    s.ui.saveChoices.push_back(bank);
    BuildButtonClick(s.workspace, s.ui, s.lang, s.lists);
    ASSERT_EQ(s.ui.messages.size(), 1u);
    EXPECT_EQ(s.ui.messages[0].rfind("Not written: " + bank, 0), 0u) << s.ui.messages[0];
    EXPECT_EQ(s.ui.announced.back(), "s32");
    EXPECT_TRUE(s.ui.questions.empty());
    EXPECT_TRUE(s.ui.opened.empty());
}

TEST(BuildButtonClick, CancelledDialogDoesNothing)
{
    Scene s;
    s.ui.saveChoices.push_back(std::nullopt);
    BuildButtonClick(s.workspace, s.ui, s.lang, s.lists);
    EXPECT_TRUE(s.ui.messages.empty());
    EXPECT_EQ(Bytes(s.set().filePath), s.savedSet);
}

TEST(BankPathFor, ExtensionBecomesVtb)
{
    EXPECT_EQ(BankPathFor("/a/Unit1.txt"), "/a/Unit1.vtb");
    EXPECT_EQ(BankPathFor("/a/Unit1"), "/a/Unit1.vtb");
    EXPECT_EQ(BankPathFor("/a.b/Unit1.vtb"), "/a.b/Unit1.vtb");
}

}  // namespace
}  // namespace dorvel
