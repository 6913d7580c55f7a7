// The command line on the real installation the build lays out: a set with
// every question type, built in every shipped style, must come back out of
// the bank byte for byte.
#include "bank/BankReader.h"
#include "building/StyleNames.h"
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/TempFolder.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace dorvel {
namespace {

using test::TempFolder;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args)
{
    QProcess p;
    QStringList list;
    for (const std::string& a : args)
        list << toQString(a);
    p.start(toQString(std::string(DORVEL_BUILD_INSTALL_DIR) + "/dorvel-cli"), list);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

// Eleven questions, one of each type, with texts, right answers and field answers.
std::string SampleSetText(const std::string& style)
{
    OpenSet set;
    set.testDetails = SetTag(DefaultTestDetails(), "GraphicStyle", style);
    set.testDetails = SetTag(set.testDetails, "TestName", "Every type");
    set.questionSlots[0] = DefaultQuestionRecord();
    for (int type = 0; type <= 10; ++type) {
        std::string q = SetTag(DefaultQuestionRecord(), "qType", std::to_string(type));
        q = SetTag(q, "Title", "Question of type " + std::to_string(type));
        for (int k = 1; k <= 4; ++k)
            q = SetTag(q, "Text" + std::to_string(k), "Text " + std::to_string(k));
        q = SetTag(q, "SelectAnswer", std::to_string(type % 2));
        q = SetTag(q, "tf2", "0");
        q = SetTag(q, "a10", "Paris");
        q = SetTag(q, "a21", "42");
        set.questionSlots[static_cast<std::size_t>(type + 1)] = q;
    }
    return PrepareSetFileText(set, 0);
}

TEST(BuildCli, EveryShippedStyleBuildsABankThatGivesBackItsFiles)
{
    SetInstallationFolder(DORVEL_BUILD_INSTALL_DIR);
    const std::vector<std::string> styles = StyleNames();
    SetInstallationFolder({});
    ASSERT_FALSE(styles.empty()) << "no styles in " << DORVEL_BUILD_INSTALL_DIR;

    TempFolder dir;
    for (const std::string& style : styles) {
        SCOPED_TRACE(style);
        const std::string setPath = dir.path(style + ".vtd");
        ASSERT_TRUE(WriteStoredFile(setPath, SampleSetText(style)));
        const std::string bankPath = dir.path(style + " bank.vtb");

        const CliRun build = Cli({"build", setPath, bankPath});
        EXPECT_EQ(build.exitCode, 0) << build.err;
        EXPECT_EQ(build.err, "");  // nothing missing
        const CliRun list = Cli({"bank", bankPath, "--extract", dir.path(style + " files")});
        ASSERT_EQ(list.exitCode, 0) << list.err;

        // The listing: the questions, then "size<TAB>path" per file.
        std::istringstream lines(list.out);
        std::string line;
        std::map<std::string, std::int64_t> listed;
        bool inFiles = false;
        while (std::getline(lines, line)) {
            if (line.rfind("Files: ", 0) == 0) {
                inFiles = true;
                continue;
            }
            const auto tab = line.find('\t');
            if (inFiles && tab != std::string::npos)
                listed[line.substr(tab + 1)] = std::stoll(line.substr(0, tab));
        }
        EXPECT_NE(list.out.find("Questions: 11\n"), std::string::npos) << list.out;
        EXPECT_NE(list.out.find("Pre-test pages: 1\n"), std::string::npos) << list.out;
        EXPECT_GT(listed.size(), 2u);

        BankReader reader;
        ASSERT_TRUE(reader.open(bankPath)) << reader.error();
        EXPECT_EQ(listed.size(), reader.files().size());
        for (const BankFileEntry& e : reader.files()) {
            SCOPED_TRACE(e.name);
            // Every file is named by its own path here (no backslashes on this system).
            EXPECT_EQ(listed[e.name], FileSize(e.name));
            std::string inBank;
            std::string source;
            ASSERT_TRUE(reader.readData(e, inBank)) << reader.error();
            ASSERT_TRUE(ReadFileBytes(e.name, source));
            EXPECT_TRUE(inBank == source);
        }
        // The extracted copies match too.
        for (const std::string& name : ListFiles(dir.path(style + " files"))) {
            std::string extracted;
            ASSERT_TRUE(ReadFileBytes(dir.path(style + " files/" + name), extracted));
            bool matches = false;
            for (const BankFileEntry& e : reader.files()) {
                std::string source;
                if (ExtractFileName(e.name) == name || name.find("-" + ExtractFileName(e.name)) != std::string::npos)
                    matches = matches || (ReadFileBytes(e.name, source) && source == extracted);
            }
            EXPECT_TRUE(matches) << name;
        }
        EXPECT_EQ(ListFiles(dir.path(style + " files")).size(), reader.files().size());
    }
}

TEST(BuildCli, ExpandShowsTheQuestionFilesAndMissingTemplatesFail)
{
    TempFolder dir;
    const std::string setPath = dir.path("set.vtd");
    ASSERT_TRUE(WriteStoredFile(setPath, SampleSetText("NoSuchStyleFallsBack")));
    const CliRun one = Cli({"expand", setPath, "8"});
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_NE(one.out.find("# question file 0\n<vtQuestion>"), std::string::npos);
    EXPECT_EQ(one.out.find("# question file 1"), std::string::npos);
    EXPECT_EQ(one.out.find("# pre-test page"), std::string::npos);
    EXPECT_NE(one.out.find("<FieldAnswer1>Paris</FieldAnswer1>"), std::string::npos);
    EXPECT_NE(one.out.find("# status 0\n"), std::string::npos);

    // Only a whole number of a question the set has.
    for (const char* number : {"101", "3abc", "+3", "-1", "0", " 3", "3 ", "", "12"}) {
        const CliRun wrong = Cli({"expand", setPath, number});
        EXPECT_EQ(wrong.exitCode, 2) << '"' << number << '"';
        EXPECT_EQ(wrong.out, "") << number;
    }
    EXPECT_EQ(Cli({"bank", setPath}).exitCode, 1);  // a set is no bank
    EXPECT_EQ(Cli({"build", setPath, dir.path("missing folder/b.vtb")}).exitCode, 1);
}

}  // namespace
}  // namespace dorvel
