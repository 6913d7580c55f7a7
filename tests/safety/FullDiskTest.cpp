// Writes onto a real file system that is full or read-only: a tmpfs of half a
// megabyte, mounted for each test. Whatever fails, the earlier file stays as
// it was, nothing half-written is left, and the failure is reported.
#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "media/QuestionMedia.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace dorvel {
namespace {

using CliRun = test::ProgramRun;

CliRun Cli(const std::vector<std::string>& args, const std::string& input = {})
{
    return test::RunProgram(std::string(DORVEL_BUILD_INSTALL_DIR) + "/dorvel-cli", args, input);
}

std::string Sample()
{
    return std::string(DORVEL_BUILD_INSTALL_DIR) + "/Samples/General Knowledge.vtd";
}

class FullDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "skipped: mounting the small tmpfs these tests need takes root (CI runs as root)";
        ASSERT_TRUE(ForceDirectory(disk()));
        if (::mount("tmpfs", disk().c_str(), "tmpfs", 0, ("size=" + m_size + ",mode=0777").c_str()) != 0)
            GTEST_SKIP() << "skipped: cannot mount a tmpfs here: " << std::strerror(errno);
        m_mounted = true;
    }
    void TearDown() override
    {
        if (m_mounted)
            ::umount2(disk().c_str(), MNT_DETACH);
    }

    std::string disk(const std::string& name = {}) const { return JoinPath(m_dir.path("disk"), name); }

    // Fills the file system to its last byte.
    void fill() const
    {
        const std::string block(4096, 'x');
        FILE* f = std::fopen(disk("filler").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::setvbuf(f, nullptr, _IONBF, 0);
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
        }
        std::fwrite(block.data(), 1, 1, f);
        std::fclose(f);
        // What a write of even one byte meets.
        FILE* probe = std::fopen(disk("probe").c_str(), "wb");
        ASSERT_NE(probe, nullptr);
        std::setvbuf(probe, nullptr, _IONBF, 0);
        EXPECT_EQ(std::fwrite("x", 1, 1, probe), 0u);
        std::fclose(probe);
        std::remove(disk("probe").c_str());
    }
    // Leaves `room` bytes free (0: full to the last byte), so that a larger
    // write starts and then meets the full disk part of the way.
    void leaveFree(long long room) const
    {
        fill();
        if (room == 0)
            return;
        ASSERT_TRUE(DeleteFile(disk("filler")));
        ASSERT_TRUE(WriteFileBytes(disk("filler"), std::string(512 * 1024 - room, 'f')));
    }
    void readOnly() const { ASSERT_EQ(::mount(nullptr, disk().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0); }

    // The disk's files except the filler.
    std::vector<std::string> files() const
    {
        std::vector<std::string> out;
        for (const std::string& f : ListFiles(disk())) {
            if (f != "filler")
                out.push_back(f);
        }
        return out;
    }

    // Leaves `room` bytes free.
    void leaveRoom(long long room) const
    {
        struct statvfs fs;
        ASSERT_EQ(::statvfs(disk().c_str(), &fs), 0);
        const long long free = static_cast<long long>(fs.f_bavail) * static_cast<long long>(fs.f_bsize);
        ASSERT_GT(free, room);
        ASSERT_TRUE(WriteFileBytes(disk("filler"), std::string(static_cast<std::size_t>(free - room), 'f')));
    }

    // Every file below the disk (but the filler) with its bytes.
    std::map<std::string, std::string> contents() const
    {
        std::map<std::string, std::string> out;
        QDirIterator it(toQString(disk()), QDir::Files | QDir::Hidden | QDir::System | QDir::AllDirs | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const std::string path = fromQString(it.next());
            std::string bytes = "(folder)";
            if (!DirectoryExists(path))
                ReadFileBytes(path, bytes);
            if (path != disk("filler"))
                out[path.substr(disk().size())] = bytes;
        }
        return out;
    }

    test::TempFolder m_dir;
    std::string m_size = "512k";
    bool m_mounted = false;
};

// The disk full before the first byte, or filling part of the way through
// the write (a short write, after which the next write fails): either way
// the save fails, says the disk is full, and the earlier file stays whole.
struct Fill {
    const char* name;
    long long room;    // bytes left free
    std::size_t size;  // of the new text
};
const Fill kFills[] = {
    // Small enough to stay in a write buffer: the case Qt 6.4 reported as saved.
    {"full to the last byte", 0, 2000},
    {"filling during the write", 8 * 1024, 64 * 1024},
};
constexpr const char* kDiskFull = "No space left on device";

TEST_F(FullDisk, StoredFilesKeepTheirOldTextAndNothingIsLeftBehind)
{
    for (const Fill& c : kFills) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        const std::string set = disk("Quiz.vtd");
        const std::string old = "<vtDorvel><TestName>Old</TestName></vtDorvel>";
        ASSERT_TRUE(WriteStoredFile(set, old));
        leaveFree(c.room);
        const std::string bigger = "<vtDorvel><TestName>" + std::string(c.size, 'n') + "</TestName></vtDorvel>";
        std::string why;
        EXPECT_FALSE(WriteStoredFile(set, bigger, &why));
        EXPECT_EQ(why, kDiskFull);
        EXPECT_TRUE(ReadStoredFile(set) == old) << "the old file is kept";
        EXPECT_EQ(files(), std::vector<std::string>{"Quiz.vtd"});

        // dorvel-cli pack takes the same road: exit status 1, the old file kept.
        const CliRun packed = Cli({"pack", set}, bigger);
        EXPECT_EQ(packed.status, 1);
        EXPECT_NE(packed.err.find("cannot write " + set), std::string::npos) << packed.err;
        EXPECT_NE(packed.err.find(kDiskFull), std::string::npos) << packed.err;
        EXPECT_TRUE(ReadStoredFile(set) == old) << "the old file is kept";
        EXPECT_EQ(files(), std::vector<std::string>{"Quiz.vtd"});
    }
}

TEST_F(FullDisk, TheEditorsSaveFailsLoudlyAndTheSetStaysUnsaved)
{
    for (const Fill& c : kFills) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        test::ScriptedUserInterface ui;
        LangStrings lang;
        lang.applyPack("0058 Not saved:\n");
        Workspace workspace(ui, lang);
        ASSERT_TRUE(workspace.NewSet());
        workspace.current()->filePath = disk("Unit.vtd");
        ASSERT_TRUE(workspace.SaveTest());
        const std::string saved = ReadStoredFile(disk("Unit.vtd"));
        ASSERT_NE(saved, "");

        leaveFree(c.room);
        workspace.TestChange("ExaminerName", std::string(c.size + 3000, 'e'));
        EXPECT_FALSE(workspace.SaveTest());
        EXPECT_EQ(ui.announced.back(), "s58");
        EXPECT_EQ(ui.messages.back(), "Not saved: " + disk("Unit.vtd") + " (" + kDiskFull + ")");
        EXPECT_TRUE(workspace.current()->hasUnsavedChanges());
        EXPECT_TRUE(ReadStoredFile(disk("Unit.vtd")) == saved) << "the saved file is kept";
        EXPECT_EQ(files(), std::vector<std::string>{"Unit.vtd"});
    }
}

TEST_F(FullDisk, ABankBuildKeepsTheEarlierBank)
{
    const std::string bank = disk("Quiz.vtb");
    ASSERT_TRUE(WriteFileBytes(bank, "earlier bank"));
    fill();
    const CliRun built = Cli({"build", Sample(), bank});
    EXPECT_EQ(built.status, 1);
    EXPECT_EQ(built.out, "");
    EXPECT_NE(built.err.find("cannot write " + bank), std::string::npos) << built.err;
    std::string kept;
    EXPECT_TRUE(ReadFileBytes(bank, kept));
    EXPECT_EQ(kept, "earlier bank");
    EXPECT_EQ(files(), std::vector<std::string>{"Quiz.vtb"});
}

// A web test that could not be written all is a failure, whatever step met
// the full or read-only disk: exit status 1, no start page announced.
TEST_F(FullDisk, AWebExportThatCannotWriteFails)
{
    struct Case {
        const char* name;
        long long room;  // bytes left free (-1: the disk is read-only)
        std::vector<std::string> layout;
    };
    const Case cases[] = {
        {"no room at all", 0, {}},
        {"room for the page, not for its scripts", 16 * 1024, {}},
        {"read-only", -1, {}},
        {"classic: no room at all", 0, {"--layout", "classic"}},
        {"classic: room for the buttons, not for the pages", 120 * 1024, {"--layout", "classic"}},
        {"classic: read-only", -1, {"--layout", "classic"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        if (c.room < 0)
            readOnly();
        else
            leaveFree(c.room);
        std::vector<std::string> args{"export", Sample(), disk("Quiz.htm")};
        args.insert(args.end(), c.layout.begin(), c.layout.end());
        const CliRun exported = Cli(args);
        EXPECT_EQ(exported.status, 1) << exported.out;
        EXPECT_EQ(exported.out, "");
        EXPECT_NE(exported.err.find("the web test was not written: "), std::string::npos) << exported.err;
    }
}

// A web test, single file, package or PDF written before stays whole, byte
// for byte, when the next one meets a full disk part way: the new one is
// written beside it and would only then take its place. Nothing of the
// failed run is left.
TEST_F(FullDisk, AFailedWriteLeavesTheEarlierOutputWhole)
{
    struct Case {
        std::vector<std::string> args;  // "@" stands for the output
        const char* output;
    };
    const Case cases[] = {
        {{"export", Sample(), "@"}, "Quiz.htm"},
        {{"export", Sample(), "@", "--single-file"}, "Quiz.htm"},
        {{"export", Sample(), "@", "--layout", "classic"}, "Quiz.htm"},
        {{"export", Sample(), "@", "--single-file", "--layout", "classic"}, "Quiz.htm"},
        {{"export", Sample(), "@", "--scorm", "1.2"}, "Pack.zip"},
        {{"convert", Sample(), "@"}, "Items.zip"},
        {{"paper", Sample(), "@"}, "Test.pdf"},
    };
    for (const Case& c : cases) {
        for (const double share : {0.0, 0.5}) {
            SCOPED_TRACE(c.args[0] + " " + c.output + " with room for " + std::to_string(share) + " of it");
            TearDown();
            m_size = "4m";
            SetUp();
            std::vector<std::string> args = c.args;
            std::replace(args.begin(), args.end(), std::string("@"), disk(c.output));
            const CliRun first = Cli(args);
            ASSERT_EQ(first.status, 0) << first.err;
            const std::map<std::string, std::string> earlier = contents();
            long long size = 0;
            for (const auto& [name, bytes] : earlier)
                size += static_cast<long long>(bytes.size());
            leaveRoom(static_cast<long long>(static_cast<double>(size) * share));

            const CliRun failed = Cli(args);
            EXPECT_EQ(failed.status, 1) << failed.out;
            EXPECT_EQ(failed.out, "");
            EXPECT_NE(failed.err, "");
            EXPECT_TRUE(contents() == earlier) << "the earlier output changed";
        }
    }
}

// Pictures of an import that fill the disk part way: the ones written are
// removed again, and the questions come in without pictures, saying so.
TEST_F(FullDisk, AnImportWhosePicturesDoNotFitLeavesNoneOfThem)
{
    // Three pictures of noise (about 190 KB each, they do not compress): two
    // fit on the half-megabyte disk, the third does not.
    std::string questions;
    for (int k = 1; k <= 3; ++k) {
        const std::string picture = m_dir.path("noise" + std::to_string(k) + ".png");
        const CliRun made = test::RunProgram("/usr/bin/convert",
                                             {"-seed", std::to_string(k), "-size", "256x256", "xc:steelblue", "+noise", "Random", "-depth", "8", "-strip", picture});
        ASSERT_EQ(made.status, 0) << made.err;
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(picture, bytes));
        ASSERT_GT(bytes.size(), 180u * 1024);
        questions += "<question type=\"truefalse\"><name><text>Q" + std::to_string(k)
            + "</text></name><questiontext format=\"html\"><text><![CDATA[Question " + std::to_string(k)
            + "<img src=\"@@PLUGINFILE@@/noise.png\">]]></text><file name=\"noise.png\" path=\"/\" encoding=\"base64\">"
            + QByteArray::fromStdString(bytes).toBase64().toStdString()
            + "</file></questiontext><answer fraction=\"100\"><text>true</text></answer>"
              "<answer fraction=\"0\"><text>false</text></answer></question>";
    }
    const std::string quiz = m_dir.write("quiz.xml", "<?xml version=\"1.0\"?><quiz>" + questions + "</quiz>");

    const CliRun imported = Cli({"import", quiz, disk("out.vtd")});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.err.find("The pictures could not be saved in " + disk("out media")), std::string::npos)
        << imported.err;
    EXPECT_EQ(ListFiles(disk("out media")), std::vector<std::string>{});
    OpenSet set;
    ASSERT_EQ(ReadSetFile(disk("out.vtd"), set), SetFileStatus::Ok);
    ASSERT_EQ(set.questionCount(), 3);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(NamedQuestionMedia(set.questionSlots[static_cast<std::size_t>(k)], MediaKind::Picture), "") << k;
}

}  // namespace
}  // namespace dorvel
