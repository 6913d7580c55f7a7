#include "bank/BankFile.h"
#include "bank/BankLists.h"
#include "bank/BankReader.h"
#include "bank/ExportLists.h"
#include "export/ExportWrites.h"
#include "storage/FileCopy.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvel {
namespace {

using test::ScriptedUserInterface;
using test::TempFolder;

std::string Bytes(const std::string& path)
{
    std::string out;
    EXPECT_TRUE(ReadFileBytes(path, out)) << path;
    return out;
}

class BankTest : public ::testing::Test {
protected:
    // Lists as BuildBankLists leaves them, for the given media files.
    void addFound(const std::string& path) { AddMediaFile(lists, true, path); }

    BankWriteResult write(const std::string& bank, const std::string& details = "<TestName>T</TestName>")
    {
        return WriteBankFile(lists, ui, bank, details, "first", "second");
    }

    TempFolder dir;
    ScriptedUserInterface ui;
    ExportLists lists;
};

TEST_F(BankTest, RoundTripKeepsEveryFileByteForByte)
{
    // Bytes the scrambling must never touch: zeros, line breaks, high bytes.
    std::string binary;
    for (int i = 0; i < 3000; ++i)
        binary += static_cast<char>(i * 7);
    const std::string tick = dir.write("Buttons/tick.gif", "GIF89a tick");
    const std::string cross = dir.write("Buttons/cross.gif", "GIF89a cross!");
    const std::string photo = dir.write("My Pics/photo 1.jpg", binary);
    const std::string empty = dir.write("empty.wav", "");
    for (const auto& p : {tick, cross, photo, empty})
        addFound(p);
    lists.questionFileList = "<questionFile0><Title>Q1</Title></questionFile0>\r\n";
    lists.preTestFileList = "<questionFile0><p>pre</p></questionFile0>\r\n";

    const std::string bank = dir.path("out/test.vtb");
    ForceDirectory(dir.path("out"));
    ASSERT_EQ(write(bank).status, BankWriteStatus::Written);
    EXPECT_EQ(lists.startOffsets, (std::vector<std::int64_t>{0, 11, 24, 3024}));
    EXPECT_EQ(lists.endOffsets, (std::vector<std::int64_t>{11, 24, 3024, 3024}));

    BankReader reader;
    ASSERT_TRUE(reader.open(bank)) << reader.error();
    EXPECT_EQ(reader.testDetails(), "<TestName>T</TestName>");
    EXPECT_EQ(BankReader::NumberedRecords(reader.questionFileList()), std::vector<std::string>{"<Title>Q1</Title>"});
    EXPECT_EQ(BankReader::NumberedRecords(reader.preTestFileList()), std::vector<std::string>{"<p>pre</p>"});
    ASSERT_EQ(reader.files().size(), 4u);
    for (const auto& p : {tick, cross, photo, empty}) {
        const auto entry = reader.find(p);
        ASSERT_TRUE(entry) << p;
        std::string data;
        ASSERT_TRUE(reader.readData(*entry, data)) << reader.error();
        EXPECT_EQ(data, Bytes(p)) << p;
    }
    EXPECT_EQ(FileSize(bank), reader.dataStart() + 3024);
    EXPECT_EQ(reader.dataStart(), static_cast<std::int64_t>(reader.headerText().size()) + kBankHeaderOverhead);
}

TEST_F(BankTest, LengthFieldLeadsTheHeaderBlock)
{
    addFound(dir.write("a.gif", "GIF"));
    // A header text of exactly 1000 characters, with the offsets it will hold.
    lists.startOffsets = {0};
    lists.endOffsets = {3};
    const std::string base = BankHeaderText(lists, "");
    const std::string details(1000 - base.size(), 'x');
    ASSERT_EQ(write(dir.path("b.vtb"), details).status, BankWriteStatus::Written);
    const std::string bytes = Bytes(dir.path("b.vtb"));
    EXPECT_EQ(UnscrambleText(bytes.substr(0, 337), 3), "00000000000000001337");
    EXPECT_EQ(bytes.substr(1337), "GIF");
}

TEST_F(BankTest, ATestNameThatClosesItsElementCannotBecomeTheQuestionList)
{
    // An old set keeps `<` raw: this name would end testList and start a question list of its own.
    const std::string name = "Quiz</testList><questionFileList><questionFile0>EVIL</questionFile0></questionFileList>";
    lists.questionFileList = "<questionFile0><Title>Q1</Title></questionFile0>\r\n";
    addFound(dir.write("a.gif", "GIF89a"));
    ASSERT_EQ(write(dir.path("b.vtb"), "<TestName>" + name + "</TestName>").status, BankWriteStatus::Written);
    BankReader reader;
    ASSERT_TRUE(reader.open(dir.path("b.vtb"))) << reader.error();
    EXPECT_EQ(reader.questionFileList(), lists.questionFileList);
    EXPECT_EQ(DecodeText(GetTag(reader.testDetails(), "TestName")), name) << "the name reads back as it was";
}

TEST_F(BankTest, FileGoneSinceTheListsIsRecordedAsMissing)
{
    addFound(dir.write("gone.gif", "GONE"));
    addFound(dir.write("here.gif", "HERE"));
    DeleteFile(dir.path("gone.gif"));
    ASSERT_EQ(write(dir.path("b.vtb")).status, BankWriteStatus::Written);
    BankReader reader;
    ASSERT_TRUE(reader.open(dir.path("b.vtb"))) << reader.error();
    EXPECT_FALSE(reader.find(dir.path("gone.gif"))->embedded());
    EXPECT_EQ(reader.find(dir.path("here.gif"))->start, 0);
    EXPECT_NE(reader.headerText().find(">-1,-1</"), std::string::npos);
}

TEST_F(BankTest, NoMediaWritesAHeaderOnlyBankAndSaysSo)
{
    ASSERT_EQ(write(dir.path("b.vtb")).status, BankWriteStatus::NoMedia);
    BankReader reader;
    ASSERT_TRUE(reader.open(dir.path("b.vtb"))) << reader.error();
    EXPECT_TRUE(reader.files().empty());
    EXPECT_EQ(reader.dataSize(), 0);
}

TEST_F(BankTest, BankThatCannotBeCreatedIsNeverSuccess)
{
    addFound(dir.write("a.gif", "GIF"));
    for (const std::string& bank : {dir.path("no such folder/b.vtb"), dir.path("afolder")}) {
        SCOPED_TRACE(bank);
        ForceDirectory(dir.path("afolder"));
        const BankWriteResult r = write(bank);
        EXPECT_EQ(r.status, BankWriteStatus::CannotCreate);
        EXPECT_FALSE(r.error.empty());
    }
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"a.gif"});  // no part file left behind
}

TEST_F(BankTest, UsersFilesBesideTheBankAreLeftAlone)
{
    addFound(dir.write("a.gif", "GIF"));
    const std::string mine = dir.write("Unit1.tmp", "the user's own notes");
    const std::string bank = dir.write("Unit1.vtb", "an older bank");
    ASSERT_EQ(write(bank).status, BankWriteStatus::Written);
    EXPECT_EQ(Bytes(mine), "the user's own notes");
    BankReader reader;
    EXPECT_TRUE(reader.open(bank)) << reader.error();
    EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{"Unit1.tmp", "Unit1.vtb", "a.gif"}));
}

TEST_F(BankTest, FileThatChangesWhileWrittenFailsAndKeepsTheEarlierBank)
{
    // A kernel file that claims 4096 bytes and yields a few: the size the
    // header promised cannot be delivered.
    const std::string shrinking = "/sys/devices/system/cpu/online";
    if (FileSize(shrinking) <= 16)
        GTEST_SKIP() << "no file here whose size changes on reading";
    addFound(dir.write("a.gif", "GIF"));
    addFound(shrinking);
    const std::string bank = dir.write("x.vtb", "an older bank");
    const BankWriteResult r = write(bank);
    EXPECT_EQ(r.status, BankWriteStatus::WriteFailed);
    EXPECT_NE(r.error.find("changed"), std::string::npos) << r.error;
    EXPECT_EQ(Bytes(bank), "an older bank");
    EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{"a.gif", "x.vtb"}));
}

TEST_F(BankTest, AppendFileDataReportsWhereTheBytesLanded)
{
    const std::string dest = dir.write("dest", "12345");
    const auto r = AppendFileData(dest, dir.write("src", "abc"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->start, 5);
    EXPECT_EQ(r->end, 8);
    EXPECT_EQ(Bytes(dest), "12345abc");
    EXPECT_FALSE(AppendFileData(dest, dir.path("missing")));
    const auto created = AppendFileData(dir.path("new"), dir.path("src"));
    ASSERT_TRUE(created);
    EXPECT_EQ(created->start, 0);
}

TEST_F(BankTest, OnlyRegularFilesAreReadAsMedia)
{
    // A FIFO without a writer is refused at once instead of hanging; a
    // device is never copied (an endless one would fill the disk).
    const std::string fifo = dir.path("pipe.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(OpenRegularFile(fifo).valid());
    EXPECT_FALSE(OpenRegularFile("/dev/zero").valid());
    EXPECT_TRUE(OpenRegularFile(dir.write("a.gif", "GIF")).valid());
    EXPECT_FALSE(AppendFileData(dir.path("dest"), fifo));
    EXPECT_FALSE(CopyFileChunked("/dev/zero", dir.path("zero.gif")));
    EXPECT_LE(FileSize(dir.path("zero.gif")), 0);

    // Swapped in after the lists were made: the bank fails, the old one stays.
    addFound(dir.path("a.gif"));
    addFound(fifo);
    const std::string bank = dir.write("x.vtb", "an older bank");
    EXPECT_EQ(write(bank).status, BankWriteStatus::WriteFailed);
    EXPECT_EQ(Bytes(bank), "an older bank");
}

TEST(CopyBytes, ReadAndWriteWhenTheKernelCannotCopy)
{
    // Pipes take the read-and-write road; the limit is honoured there too.
    int in[2];
    int out[2];
    ASSERT_EQ(::pipe(in), 0);
    ASSERT_EQ(::pipe(out), 0);
    const std::string data(5000, 'z');
    ASSERT_EQ(::write(in[1], data.data(), data.size()), static_cast<ssize_t>(data.size()));
    ::close(in[1]);
    EXPECT_EQ(CopyBytes(in[0], out[1], 4000), 4000);
    EXPECT_EQ(CopyBytes(in[0], out[1], -1), 1000);
    ::close(out[1]);
    char buffer[6000];
    EXPECT_EQ(::read(out[0], buffer, sizeof buffer), 5000);
    ::close(in[0]);
    ::close(out[0]);
}

// ---- Damaged and hostile banks ------------------------------------------

std::string HeaderBlock(const std::string& header, long long lengthValue)
{
    std::string field = std::to_string(lengthValue);
    field.insert(0, 20 - std::min<std::size_t>(20, field.size()), '0');
    return ScrambleText(field + header, 3);
}

std::string Block(const std::string& header)
{
    return HeaderBlock(header, static_cast<long long>(header.size()) + 337);
}

TEST(BankReader, DamagedBanksGiveAnErrorNeverData)
{
    const std::string good = "<fileHeader><a.gif>0,3</a.gif></fileHeader><testList></testList>";
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"plain text", std::string(400, 'x')},
        {"scrambled as a set file", ScrambleText("00000000000000000400<fileHeader>", 2) + std::string(100, 'x')},
        {"data cut off", Block(good) + "GI"},
        {"header cut off", Block(good).substr(0, 350)},
        {"length beyond the file", HeaderBlock(good, 1000000) + "GIF"},
        {"length below the header block", HeaderBlock(good, 12) + "GIF"},
        {"length not a number", ScrambleText("0000000000000000abcd" + good, 3) + "GIF"},
        {"negative offsets", Block("<fileHeader><a.gif>-5,3</a.gif></fileHeader>") + "GIF"},
        {"end before start", Block("<fileHeader><a.gif>3,1</a.gif></fileHeader>") + "GIF"},
        {"offset overflow", Block("<fileHeader><a.gif>0,99999999999999999999</a.gif></fileHeader>") + "GIF"},
        {"huge end", Block("<fileHeader><a.gif>0,9223372036854775807</a.gif></fileHeader>") + "GIF"},
        {"record without value", Block("<fileHeader><a.gif></a.gif></fileHeader>") + "GIF"},
        {"unclosed record", Block("<fileHeader><a.gif>0,3</fileHeader>") + "GIF"},
        {"no file list", Block("<testList></testList>") + "GIF"},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.write("bank.vtb", c.bytes);
        BankReader reader;
        EXPECT_FALSE(reader.open(path));
        EXPECT_FALSE(reader.error().empty());
        EXPECT_TRUE(reader.files().empty());
    }
    // The same header with its data complete is fine.
    BankReader reader;
    ASSERT_TRUE(reader.open(dir.write("bank.vtb", Block(good) + "GIF"))) << reader.error();
    ASSERT_EQ(reader.files().size(), 1u);
    EXPECT_EQ(reader.files()[0].size(), 3);
}

TEST(BankReader, NamesMayHoldAngleBrackets)
{
    TempFolder dir;
    const std::string path = dir.write("bank.vtb", Block("<fileHeader></x/a>b.gif>0,2<//x/a>b.gif><c>2,3</c></fileHeader>") + "abc");
    BankReader reader;
    ASSERT_TRUE(reader.open(path)) << reader.error();
    ASSERT_EQ(reader.files().size(), 2u);
    EXPECT_EQ(reader.files()[0].name, "/x/a>b.gif");
    EXPECT_EQ(reader.find("/x/a>b.gif")->end, 2);
}

TEST(BankReader, ExtractStaysInsideItsFolder)
{
    TempFolder dir;
    BankReader reader;
    ASSERT_TRUE(reader.open(dir.write("bank.vtb", Block("<fileHeader><a>0,3</a></fileHeader>") + "abc")));
    const BankFileEntry entry = reader.files().at(0);
    ForceDirectory(dir.path("out"));
    for (const char* name : {"", ".", "..", "../escape", "/tmp/escape", "sub/file", "..\\escape", "C:escape"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(reader.extract(entry, dir.path("out"), name));
    }
    // A link planted under the name is not written through.
    ASSERT_EQ(::symlink(dir.path("victim").c_str(), dir.path("out/link").c_str()), 0);
    EXPECT_FALSE(reader.extract(entry, dir.path("out"), "link"));
    EXPECT_FALSE(FileExists(dir.path("victim")));

    ASSERT_TRUE(reader.extract(entry, dir.path("out"), "a.gif")) << reader.error();
    EXPECT_EQ(Bytes(dir.path("out/a.gif")), "abc");
    EXPECT_FALSE(reader.extract(entry, dir.path("out"), "a.gif"));  // never replaces a file
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"bank.vtb"});
}

}  // namespace
}  // namespace dorvel
