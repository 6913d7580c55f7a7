#include "bank/BankReader.h"
#include "bank/ExportLists.h"
#include "building/ExpandSet.h"
#include "building/StyleNames.h"
#include "languages/LangStrings.h"
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/building/FixtureInstallation.h"
#include "tests/support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

namespace dorvel {
namespace {

using test::FixtureInstallation;
using test::QuestionRecord;
using test::ScriptedUserInterface;

class ExpandSetTest : public ::testing::Test {
protected:
    ExpandSetTest()
    {
        lang.applyPack("0037 Template missing:\n0038 Template too new:\n");
        set.testDetails = SetTag(DefaultTestDetails(), "GraphicStyle", "Plain");
        set.testDetails = SetTag(set.testDetails, "TestName", "Unit 3");
        set.questionSlots[0] = DefaultQuestionRecord();
    }

    void addQuestions(int count, int qType = 2)
    {
        for (int n = 1; n <= count; ++n)
            set.questionSlots[static_cast<std::size_t>(n)] = QuestionRecord(qType, "Question " + std::to_string(n));
    }

    std::vector<std::string> questions() const { return BankReader::NumberedRecords(lists.questionFileList); }

    FixtureInstallation install;
    ScriptedUserInterface ui;
    LangStrings lang;
    ExportLists lists;
    OpenSet set;
};

TEST_F(ExpandSetTest, WholeSetHasPreTestPageAndEveryEnabledQuestion)
{
    addQuestions(3);
    set.questionSlots[2] = SetTag(set.questionSlots[2], "qDisabled", "1");
    EXPECT_EQ(ExpandSet(set, ui, lang, lists, 0), "0");
    const auto qs = questions();
    ASSERT_EQ(qs.size(), 2u);
    EXPECT_NE(qs[0].find("Question 1"), std::string::npos);
    EXPECT_NE(qs[1].find("Question 3"), std::string::npos);
    const auto pre = BankReader::NumberedRecords(lists.preTestFileList);
    ASSERT_EQ(pre.size(), 1u);
    EXPECT_NE(pre[0].find("<vtString>Unit 3</vtString>"), std::string::npos);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ExpandSetTest, OneQuestionAloneHasNoPreTestPage)
{
    addQuestions(8);
    EXPECT_EQ(ExpandSet(set, ui, lang, lists, 7), "0");
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_NE(questions()[0].find("Question 7"), std::string::npos);
    EXPECT_TRUE(lists.preTestFileList.empty());
}

TEST_F(ExpandSetTest, DisabledQuestionAloneHandsOnNothing)
{
    addQuestions(3);
    set.questionSlots[3] = SetTag(set.questionSlots[3], "qDisabled", "1");
    EXPECT_EQ(ExpandSet(set, ui, lang, lists, 3), "0");
    EXPECT_TRUE(lists.questionFileList.empty());
    EXPECT_TRUE(lists.foundFiles.empty());
}

// The web test once stopped before question 30; it now holds the whole set.
TEST_F(ExpandSetTest, AFullSetIsExpandedWholeWithoutAMessage)
{
    addQuestions(100);
    EXPECT_EQ(ExpandSet(set, ui, lang, lists, 0), "0");
    EXPECT_EQ(questions().size(), 100u);
    EXPECT_TRUE(ui.messages.empty());
}

// A record without a kind, or with a malformed one, is four choices as the
// editor shows it: built with the four-choice template, not the two-choice one.
TEST_F(ExpandSetTest, ARecordWithoutAKindIsBuiltAsFourChoices)
{
    for (const char* kind : {"", "x"}) {
        SCOPED_TRACE(kind);
        FixtureInstallation fresh;
        ScriptedUserInterface freshUi;
        const std::string record = SetTag(SetTag(DefaultQuestionRecord(), "Title", "Kindless"), "SelectAnswer", "3");
        set.questionSlots[1] = *kind ? SetTag(record, "qType", kind) : RemoveTag(record, "qType");
        const std::string path = fresh.styleFolder() + "mc4.vtq";
        DeleteFile(path);
        EXPECT_EQ(ExpandSet(set, freshUi, lang, lists, 0), "templateFileProblem");
        ASSERT_EQ(freshUi.messages.size(), 1u);
        EXPECT_EQ(freshUi.messages[0], "Template missing: " + path);
    }
}

TEST_F(ExpandSetTest, BadTemplatesAreReportedWithTheirPath)
{
    struct Case {
        const char* name;
        const char* file;
        std::string content;  // empty: the file is deleted
        int qType;
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {"missing question template", "mc4.vtq", "", 2, "s37", "Template missing:"},
        {"missing pre-test template", "pretest.vtq", "", 2, "s37", "Template missing:"},
        {"pre-test of a later version", "pretest.vtq", "<vtQuestion><version>2</version></vtQuestion>", 2, "s38",
         "Template too new:"},
        {"damaged question template", "tf1.vtq", "not a template at all", 3, "s37", "Template missing:"},
        {"type without a template", "", "", 11, "s37", "Template missing:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixtureInstallation fresh;
        ScriptedUserInterface ui;
        set.questionSlots[1] = QuestionRecord(c.qType, "Q");
        std::string path = fresh.styleFolder() + (*c.file ? c.file : "tx5.vtq");
        if (*c.file) {
            DeleteFile(path);
            if (!c.content.empty()) {
                ASSERT_TRUE(WriteStoredFile(path, c.content));
            }
        }
        EXPECT_EQ(ExpandSet(set, ui, lang, lists, 0), "templateFileProblem");
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], std::string(c.text) + " " + path);
        EXPECT_EQ(ui.announced, std::vector<std::string>{c.key});
    }
}

TEST_F(ExpandSetTest, UnknownOrOutsideStyleFallsBackToFirstInstalledStyle)
{
    addQuestions(1);
    install.writeTemplate("Aaaa", "pretest.vtq", FixtureInstallation::PreTestTemplate());
    install.writeTemplate("Aaaa", "mc4.vtq", "<marker>first style</marker>" + FixtureInstallation::ChoiceTemplate(4));
    // A folder of three letters is no style.
    ForceDirectory(install.path("DorvelTemplates/Abc"));
    EXPECT_EQ(StyleNames(), (std::vector<std::string>{"Aaaa", "Plain"}));
    for (const char* style : {"Missing", "../DorvelTemplates/Plain", ""}) {
        SCOPED_TRACE(style);
        set.testDetails = SetTag(set.testDetails, "GraphicStyle", style);
        EXPECT_EQ(TemplateFolderFor(set.testDetails), install.styleFolder("Aaaa"));
        ExpandSet(set, ui, lang, lists, 0);
        EXPECT_NE(lists.questionFileList.find("first style"), std::string::npos);
    }
}

}  // namespace
}  // namespace dorvel
