// Files a hostile or damaged input, a planted link or a killed build leaves
// in Dorvel's way, met through dorvel-cli on the installation the build lays
// out: nothing outside the folders Dorvel writes is removed or filled, and
// nothing read can take over the terminal or the memory.
#include "bank/BankFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace dorvel {
namespace {

using test::TempFolder;

using CliRun = test::ProgramRun;

// dorvel-cli with `args`; status -1 when it did not end within `seconds`.
CliRun Cli(const std::vector<std::string>& args, int seconds = 120)
{
    return test::RunProgram(std::string(DORVEL_BUILD_INSTALL_DIR) + "/dorvel-cli", args, {}, seconds);
}

std::string Sample()
{
    return std::string(DORVEL_BUILD_INSTALL_DIR) + "/Samples/General Knowledge.vtd";
}

std::string Read(const std::string& path)
{
    std::string bytes;
    return ReadFileBytes(path, bytes) ? bytes : "(unreadable)";
}

// A bank from its header text and data section.
std::string BankOf(const std::string& header, const std::string& data)
{
    char field[32];
    std::snprintf(field, sizeof field, "%020lld", static_cast<long long>(header.size()) + kBankHeaderOverhead);
    return ScrambleText(std::string(field) + header, 3) + data;
}

void Link(const std::string& target, const std::string& link)
{
    ASSERT_TRUE(QFile::link(toQString(target), toQString(link))) << link;
}

// Exporting replaces the files of an earlier export, but a test folder or
// button folder that is a link to another folder is refused before anything
// is removed: that folder's files are never deleted.
TEST(Export, NeverEmptiesAFolderThatALinkPointsTo)
{
    for (const std::string where : {"Quizres", "Quizres/buttons"}) {
        SCOPED_TRACE(where);
        TempFolder dir;
        dir.write("precious/thesis.txt", "years of work");
        dir.write("precious/photo.gif", "GIF89a");
        ForceDirectory(ExtractFilePath(dir.path("web/" + where)));
        Link(dir.path("precious"), dir.path("web/" + where));
        const CliRun run = Cli({"export", Sample(), dir.path("web/Quiz.htm")});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(dir.path("web/" + where) + " is a symbolic link"), std::string::npos) << run.err;
        EXPECT_EQ(Read(dir.path("precious/thesis.txt")), "years of work");
        EXPECT_EQ(Read(dir.path("precious/photo.gif")), "GIF89a");
        EXPECT_EQ(ListFiles(dir.path("precious")).size(), 2u);
    }

    // A link inside the test folder is removed itself; its target stays.
    TempFolder dir;
    dir.write("precious/thesis.txt", "years of work");
    ForceDirectory(dir.path("web/Quizres"));
    Link(dir.path("precious/thesis.txt"), dir.path("web/Quizres/q0.htm"));
    const CliRun run = Cli({"export", Sample(), dir.path("web/Quiz.htm")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Read(dir.path("precious/thesis.txt")), "years of work");
    EXPECT_FALSE(QFileInfo(toQString(dir.path("web/Quizres/q0.htm"))).isSymLink());
}

TEST(Export, IntoAMissingFolderFailsAndCreatesNothing)
{
    TempFolder dir;
    const CliRun run = Cli({"export", Sample(), dir.path("missing/Quiz.htm")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("the web test was not written: no such folder: " + dir.path("missing/")), std::string::npos)
        << run.err;
    EXPECT_FALSE(DirectoryExists(dir.path("missing")));
}

// A killed build leaves its part file; the next build of that bank removes
// it, and only files of exactly that pattern.
TEST(BankBuild, RemovesItsOwnLeftoverPartsOnly)
{
    TempFolder dir;
    const std::vector<std::string> leftovers = {".Quiz.vtb.0badf00d.part", ".Quiz.vtb.12345678.part"};
    const std::vector<std::string> others = {".Quiz.vtb.notours.part", ".Quiz.vtb.0badf00d.part.keep",
                                             ".Other.vtb.0badf00d.part", "Quiz.vtb.0badf00d.part", ".Quiz.vtb.0BADF00D.part"};
    for (const std::string& name : leftovers)
        dir.write(name, std::string(100000, 'p'));
    for (const std::string& name : others)
        dir.write(name, "not ours");
    const CliRun run = Cli({"build", Sample(), dir.path("Quiz.vtb")});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> expected = others;
    expected.push_back("Quiz.vtb");
    std::vector<std::string> found = ListFiles(dir.path());
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);
}

// A small bank whose records all claim the same bytes would unpack into many
// times its size: refused before anything is written.
TEST(BankExtract, RefusesOverlappingRecords)
{
    TempFolder dir;
    std::string header = "<fileHeader>";
    for (int i = 0; i < 200; ++i) {
        const std::string name = "/m/x" + std::to_string(i) + ".gif";
        header += "<" + name + ">0,4096</" + name + ">";
    }
    header += "</fileHeader><testList><TestName>Many</TestName></testList><questionFileList></questionFileList>"
              "<preTestFileList></preTestFileList>";
    const std::string bank = dir.write("overlap.vtb", BankOf(header, std::string(4096, 'g')));

    const CliRun run = Cli({"bank", bank, "--extract", dir.path("out")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("overlap; nothing was extracted"), std::string::npos) << run.err;
    EXPECT_TRUE(ListFiles(dir.path("out")).empty());
}

// Stored files are read only when they are regular files of a sane size: a
// device or a huge file would fill the memory, a FIFO would hang.
TEST(Show, RefusesWhatIsNoStoredFileBeforeReadingIt)
{
    TempFolder dir;
    const std::string fifo = dir.path("pipe.vtd");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.path("huge.vtd");
    {
        QFile f(toQString(huge));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kMaxStoredFileSize + 1));  // sparse: no disk used
    }
    struct Case {
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        {"/dev/zero", "not a regular file"},
        {fifo, "not a regular file"},
        {huge, "larger than 64 MB"},
    };
    for (const Case& c : cases) {
        for (const char* command : {"show", "unpack"}) {
            SCOPED_TRACE(c.path + " " + command);
            const CliRun run = Cli({command, c.path}, 20);
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.err.find("cannot read " + c.path + ": " + c.reason), std::string::npos) << run.err;
        }
    }
}

// Escape sequences in a set or bank would retitle or rewrite the terminal:
// show and bank print every control character visibly escaped.
TEST(ShowAndBank, PrintControlCharactersEscaped)
{
    TempFolder dir;
    const std::string set = dir.path("hostile.vtd");
    ASSERT_TRUE(WriteStoredFile(set, "<vtDorvel><version>1</version><TestName>\x1b]0;owned\x07</TestName>"
                                     "<ExaminerName>caf\xc3\xa9 \xc2\x9b"
                                     "2J</ExaminerName>"
                                     "<question0><qType>2</qType></question0>"
                                     "<question1><qType>2</qType><Title>a\x1b[2J\rb</Title></question1></vtDorvel>"));
    const CliRun shown = Cli({"show", set});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Test name: \\x1b]0;owned\\x07\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Examiner: caf\xc3\xa9 \\xc2\\x9b"
                             "2J\n"),
              std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find("\ta\\x1b[2J\\x0db\n"), std::string::npos) << shown.out;

    const std::string name = "/m/\x1b[31mred.gif";
    const std::string header = "<fileHeader><" + name + ">0,3</" + name + "></fileHeader><testList><TestName>\x1b]2;t\x07"
                                                                          "</TestName></testList><questionFileList></questionFileList><preTestFileList></preTestFileList>";
    const std::string bank = dir.write("hostile.vtb", BankOf(header, "abc"));
    const CliRun listed = Cli({"bank", bank});
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("Test name: \\x1b]2;t\\x07\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("3\t/m/\\x1b[31mred.gif\n"), std::string::npos) << listed.out;

    for (const std::string& out : {shown.out, listed.out}) {
        for (const char c : out)
            EXPECT_TRUE(c == '\n' || c == '\t' || static_cast<unsigned char>(c) >= 0x20) << static_cast<int>(c);
    }
}

}  // namespace
}  // namespace dorvel
