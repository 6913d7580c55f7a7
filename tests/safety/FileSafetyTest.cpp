// Files a hostile or damaged input, a planted link or a killed build leaves
// in Dorvel's way, met through dorvel-cli on the installation the build lays
// out: nothing outside the folders Dorvel writes is removed or filled, and
// nothing read can take over the terminal or the memory.
#include "bank/BankFile.h"
#include "media/QuestionMedia.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
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
    const CliRun run = Cli({"export", Sample(), dir.path("web/Quiz.htm"), "--layout", "classic"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Read(dir.path("precious/thesis.txt")), "years of work");
    EXPECT_FALSE(QFileInfo(toQString(dir.path("web/Quizres/q0.htm"))).isSymLink());
}

// Every entry of a folder (files, folders, links, hidden ones), sorted.
std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const QString& name : QDir(toQString(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        names.push_back(fromQString(name));
    std::sort(names.begin(), names.end());
    return names;
}

// A link planted at a name the export writes (the start page, a file of the
// test folder, the single file) is replaced itself; the file it points to,
// outside the test, keeps its bytes.
TEST(Export, NeverWritesThroughALinkAtANameItWrites)
{
    struct Case {
        const char* link;  // relative to the folder written into
        bool singleFile;
        bool classic;
    };
    const Case cases[] = {
        {"web/Quiz.htm", false, true},
        {"web/Quizres/pages.js", false, true},
        {"web/Quizres/frame.htm", false, true},
        {"web/Quizres/buttons/owl.gif", false, true},
        {"web/Quiz.htm", true, true},
        {"web/Quiz.htm", false, false},
        {"web/Quizres/engine.js", false, false},
        {"web/Quizres/test.js", false, false},
        {"web/Quiz.htm", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.link) + (c.singleFile ? " (single file)" : "") + (c.classic ? " classic" : ""));
        TempFolder dir;
        const std::string precious = dir.write("precious/thesis.txt", "years of work");
        ForceDirectory(ExtractFilePath(dir.path(c.link)));
        Link(precious, dir.path(c.link));
        std::vector<std::string> args = {"export", Sample(), dir.path("web/Quiz.htm")};
        if (c.singleFile)
            args.push_back("--single-file");
        if (c.classic)
            args.insert(args.end(), {"--layout", "classic"});
        const CliRun run = Cli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Read(precious), "years of work");
        EXPECT_FALSE(QFileInfo(toQString(dir.path(c.link))).isSymLink());
        EXPECT_NE(Read(dir.path(c.link)), "years of work");
    }
}

// An import's pictures folder that is a link is refused as a linked test
// folder is: the questions come in without their pictures, nothing is
// written where the link points.
TEST(Import, RefusesAPicturesFolderThatIsALink)
{
    TempFolder dir;
    ForceDirectory(dir.path("elsewhere"));
    Link(dir.path("elsewhere"), dir.path("out media"));
    const CliRun made = test::RunProgram("/usr/bin/convert", {"-size", "8x8", "xc:red", dir.path("red.png")});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string quiz = dir.write("quiz.xml",
                                       "<?xml version=\"1.0\"?><quiz><question type=\"truefalse\"><name><text>Q</text></name>"
                                       "<questiontext format=\"html\"><text><![CDATA[Red?<img src=\"@@PLUGINFILE@@/red.png\">]]></text>"
                                       "<file name=\"red.png\" path=\"/\" encoding=\"base64\">"
                                           + QByteArray::fromStdString(Read(dir.path("red.png"))).toBase64().toStdString()
                                           + "</file></questiontext><answer fraction=\"100\"><text>true</text></answer>"
                                             "<answer fraction=\"0\"><text>false</text></answer></question></quiz>");
    const CliRun run = Cli({"import", quiz, dir.path("out.vtd")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("symbolic link"), std::string::npos) << run.err;
    EXPECT_EQ(Entries(dir.path("elsewhere")), std::vector<std::string>{});
    OpenSet set;
    ASSERT_EQ(ReadSetFile(dir.path("out.vtd"), set), SetFileStatus::Ok);
    EXPECT_EQ(NamedQuestionMedia(set.questionSlots[1], MediaKind::Picture), "");
}

// An import of more than a hundred questions writes its further sets under
// names nothing holds: a teacher's own Bio-2.vtd, a link and a folder of such
// names stay as they were. The named file is replaced, as a save replaces it.
TEST(Import, NeverReplacesASetItWasNotGiven)
{
    TempFolder dir;
    std::string gift;
    for (int k = 1; k <= 250; ++k)
        gift += "Question " + std::to_string(k) + " {=right ~wrong}\n\n";
    const std::string source = dir.write("big.gift", gift);
    dir.write("Bio.vtd", "replaced, as the user named it");
    const std::string own = dir.write("Bio-2.vtd", "a teacher's own set");
    const std::string precious = dir.write("precious.txt", "years of work");
    Link(precious, dir.path("Bio-3.vtd"));
    ForceDirectory(dir.path("Bio-5.vtd"));
    const CliRun run = Cli({"import", source, dir.path("Bio.vtd")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Read(own), "a teacher's own set");
    EXPECT_EQ(Read(precious), "years of work");
    EXPECT_TRUE(QFileInfo(toQString(dir.path("Bio-3.vtd"))).isSymLink());
    EXPECT_TRUE(DirectoryExists(dir.path("Bio-5.vtd")));
    // The sets went to Bio.vtd, Bio-4.vtd and Bio-6.vtd, and the output says so.
    EXPECT_EQ(run.out, dir.path("Bio.vtd") + "\t100\n" + dir.path("Bio-4.vtd") + "\t100\n" + dir.path("Bio-6.vtd") + "\t50\n");
    const std::pair<const char*, const char*> written[] = {{"Bio.vtd", "Question 1"}, {"Bio-4.vtd", "Question 101"}, {"Bio-6.vtd", "Question 201"}};
    for (const auto& [name, first] : written) {
        OpenSet set;
        ASSERT_EQ(ReadSetFile(dir.path(name), set), SetFileStatus::Ok) << name;
        EXPECT_EQ(GetTag(set.questionSlots[1], "Title"), first) << name;
    }
    EXPECT_FALSE(FileExists(dir.path("Bio-7.vtd")));
}

// The new test changes places with the old test folder: a file of the
// folder's name is the author's and is never taken for it.
TEST(Export, KeepsAFileWhereTheTestFolderBelongs)
{
    TempFolder dir;
    const std::string file = dir.write("web/Quizres", "the author's notes");
    const CliRun run = Cli({"export", Sample(), dir.path("web/Quiz.htm")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("a file has its name"), std::string::npos) << run.err;
    EXPECT_EQ(Read(file), "the author's notes");
    EXPECT_EQ(Entries(dir.path("web")), std::vector<std::string>{"Quizres"});
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

// A picture of noise (it does not compress) of about `side` * `side` * 3 bytes.
std::string NoisePicture(const std::string& path, int side, int seed)
{
    ForceDirectory(ExtractFilePath(path));
    const CliRun made = test::RunProgram("/usr/bin/convert", {"-seed", std::to_string(seed), "-size", std::to_string(side) + "x" + std::to_string(side), "xc:gray", "+noise", "Random", "-depth", "8", "-strip", path});
    EXPECT_EQ(made.status, 0) << made.err;
    return path;
}

// The sample set with one large picture on every question: enough work for a
// run to be caught in the middle of it.
std::string SetWithPictures(const TempFolder& dir)
{
    OpenSet set;
    EXPECT_EQ(ReadSetFile(Sample(), set), SetFileStatus::Ok);
    const std::string picture = NoisePicture(dir.path("input/noise.png"), 700, 1);
    const std::string path = dir.path("input/Pictured.vtd");
    for (int n = 1; n <= set.questionCount(); ++n) {
        std::string& record = set.questionSlots[static_cast<std::size_t>(n)];
        record = WithQuestionMedia(record, MediaKind::Picture, picture, path);
    }
    set.filePath = path;
    EXPECT_TRUE(WriteStoredFile(path, PrepareSetFileText(set, std::time(nullptr))));
    return path;
}

// Thirty questions, each with a picture of its own.
std::string QuizWithPictures(const TempFolder& dir)
{
    std::string quiz = "<?xml version=\"1.0\"?><quiz>";
    for (int k = 1; k <= 30; ++k) {
        const std::string picture = NoisePicture(dir.path("input/q" + std::to_string(k) + ".png"), 400, k);
        quiz += "<question type=\"truefalse\"><name><text>Q" + std::to_string(k) + "</text></name><questiontext format=\"html\">"
                                                                                   "<text><![CDATA[Question <img src=\"@@PLUGINFILE@@/p.png\">]]></text><file name=\"p.png\" path=\"/\" encoding=\"base64\">"
            + QByteArray::fromStdString(Read(picture)).toBase64().toStdString()
            + "</file></questiontext><answer fraction=\"100\"><text>true</text></answer>"
              "<answer fraction=\"0\"><text>false</text></answer></question>";
    }
    return dir.write("input/quiz.xml", quiz + "</quiz>");
}

// A run killed (SIGKILL) in the middle of writing leaves only hidden part
// files or folders of its target's name, beside the target, and nothing in
// the temporary folder; the next run of the same command removes exactly
// those, and keeps the author's files and names of other patterns.
TEST(KilledRuns, LeaveOnlyPartsTheNextRunRemoves)
{
    TempFolder dir;
    const std::string set = SetWithPictures(dir);
    const std::string quiz = QuizWithPictures(dir);
    struct Case {
        std::vector<std::string> args;  // "@" stands for the target's path
        const char* target;             // the name whose parts are written
        std::vector<std::string> outputs;
    };
    const Case cases[] = {
        {{"export", set, "@"}, "Quiz.htm", {"Quiz.htm", "Quizres"}},
        {{"export", set, "@", "--single-file"}, "Quiz.htm", {"Quiz.htm"}},
        {{"export", set, "@", "--layout", "classic"}, "Quiz.htm", {"Quiz.htm", "Quizres"}},
        {{"export", set, "@", "--single-file", "--layout", "classic"}, "Quiz.htm", {"Quiz.htm"}},
        {{"export", set, "@", "--scorm", "2004"}, "Pack.zip", {"Pack.zip"}},
        {{"convert", set, "@"}, "Items.zip", {"Items.zip"}},
        {{"paper", set, "@"}, "Test.pdf", {"Test.pdf"}},
        {{"import", quiz, "@"}, "Bio media", {"Bio media", "Bio.vtd"}},
    };
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        SCOPED_TRACE(c.args[0] + " " + c.target);
        const std::string folder = dir.path("out" + std::to_string(k));
        const std::string temp = dir.path("tmp" + std::to_string(k));
        ASSERT_TRUE(ForceDirectory(folder) && ForceDirectory(temp) && MakePrivateFolder(dir.path("runtime")));
        dir.write("out" + std::to_string(k) + "/keep.txt", "the author's");
        const std::string target = std::string(c.target) == "Bio media" ? JoinPath(folder, "Bio.vtd") : JoinPath(folder, c.target);
        std::vector<std::string> args = c.args;
        std::replace(args.begin(), args.end(), std::string("@"), target);

        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), toQString(temp));
        // Qt makes its runtime folder in the temporary folder when none is set.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), toQString(dir.path("runtime")));
        process.setProcessEnvironment(env);
        QStringList arguments;
        for (const std::string& a : args)
            arguments << toQString(a);
        process.start(toQString(std::string(DORVEL_BUILD_INSTALL_DIR) + "/dorvel-cli"), arguments);
        ASSERT_TRUE(process.waitForStarted());
        // Killed the moment a part of the target shows.
        const std::string prefix = "." + std::string(c.target) + ".";
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        bool seen = false;
        while (!seen && process.state() == QProcess::Running && std::chrono::steady_clock::now() < deadline) {
            for (const std::string& name : Entries(folder))
                seen = seen || name.rfind(prefix, 0) == 0;
            if (!seen)
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        process.kill();
        process.waitForFinished();
        ASSERT_TRUE(seen) << "the run ended before it could be killed: " << process.readAllStandardError().toStdString();
        ASSERT_EQ(process.exitStatus(), QProcess::CrashExit);

        std::vector<std::string> left;
        for (const std::string& name : Entries(folder)) {
            if (name != "keep.txt" && std::find(c.outputs.begin(), c.outputs.end(), name) == c.outputs.end())
                left.push_back(name);
        }
        ASSERT_FALSE(left.empty());
        for (const std::string& name : left)
            EXPECT_EQ(name.rfind(prefix, 0), 0u) << name;
        EXPECT_EQ(Entries(temp), std::vector<std::string>{});

        // Names of other patterns are not the run's own: they stay.
        const std::vector<std::string> others = {prefix + "notours.part", prefix + "0badf00d.part.keep", std::string(c.target) + ".0badf00d.part",
                                                 prefix + "0BADF00D.part"};
        for (const std::string& name : others)
            dir.write("out" + std::to_string(k) + "/" + name, "not ours");
        const CliRun again = Cli(args);
        ASSERT_EQ(again.status, 0) << again.err;
        std::vector<std::string> expected = others;
        expected.insert(expected.end(), c.outputs.begin(), c.outputs.end());
        expected.push_back("keep.txt");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Entries(folder), expected);
        EXPECT_EQ(Read(JoinPath(folder, "keep.txt")), "the author's");
    }
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
