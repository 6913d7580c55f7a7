#include "building/TemplateFilling.h"
#include "model/DefaultRecords.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvel {
namespace {

// The records of one kind in the content, in order.
std::vector<std::string> Records(std::string content, const std::string& kind)
{
    std::vector<std::string> out;
    for (std::string r = GetTag(content, kind); !r.empty(); r = GetTag(content, kind)) {
        out.push_back(r);
        content = RemoveTag(content, kind);
    }
    return out;
}

std::string Button(const std::string& name)
{
    return "<vtButton><ButtonName>" + name + "</ButtonName><buttonMarkIfSelected>7</buttonMarkIfSelected></vtButton>";
}

std::string Text(const std::string& name)
{
    return "<vtText><textName>" + name + "</textName><vtString>x</vtString></vtText>";
}

std::string Record(const std::vector<std::pair<std::string, std::string>>& fields)
{
    std::string q = DefaultQuestionRecord();
    for (const auto& [name, value] : fields)
        q = SetTag(q, name, value);
    return q;
}

TEST(TemplateForType, FamilyAndCountFollowTheType)
{
    struct Case {
        int qType;
        const char* file;
        TemplateKind kind;
    };
    const Case cases[] = {
        {-1, "mc1.vtq", TemplateKind::ChoiceButtons},
        {0, "mc2.vtq", TemplateKind::ChoiceButtons},
        {2, "mc4.vtq", TemplateKind::ChoiceButtons},
        {3, "tf1.vtq", TemplateKind::TrueFalseButtons},
        {6, "tf4.vtq", TemplateKind::TrueFalseButtons},
        {7, "tx1.vtq", TemplateKind::TextFields},
        {10, "tx4.vtq", TemplateKind::TextFields},
        {11, "tx5.vtq", TemplateKind::TextFields},
    };
    for (const Case& c : cases) {
        const QuestionTemplate t = TemplateForType(c.qType);
        EXPECT_EQ(t.fileName(), c.file) << c.qType;
        EXPECT_EQ(t.kind, c.kind) << c.qType;
    }
}

TEST(FillQuestionTemplate, ChoiceMarksTheSelectedButtonOnly)
{
    const std::string tmpl = Button("Button 1") + Button("Button 2") + Button("Button 3") + Button("Extra");
    const std::string out = FillQuestionTemplate(tmpl, Record({{"SelectAnswer", "2"}}), TemplateForType(1));
    const auto buttons = Records(out, "vtButton");
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(GetTag(buttons[0], "buttonMarkIfSelected"), "0");
    EXPECT_EQ(GetTag(buttons[1], "buttonMarkIfSelected"), "0");
    EXPECT_EQ(GetTag(buttons[2], "buttonMarkIfSelected"), "1");
    // A button with another name keeps the template's marks.
    EXPECT_EQ(GetTag(buttons[3], "buttonMarkIfSelected"), "7");
    // The five marks stand in front, the last one set first.
    EXPECT_EQ(buttons[2].rfind("<buttonMarkIfNoTFSelection>0</buttonMarkIfNoTFSelection> "
                               "<buttonMarkIfFalseSelected>0</buttonMarkIfFalseSelected> "
                               "<buttonMarkIfTrueSelected>1</buttonMarkIfTrueSelected> "
                               "<buttonMarkIfNotSelected>0</buttonMarkIfNotSelected> "
                               "<buttonMarkIfSelected>1</buttonMarkIfSelected> ",
                               0),
              0u)
        << buttons[2];
}

// A right choice the record names out of range is the first, as the paper
// key and the exchange formats read it: never a question no answer is right for.
TEST(FillQuestionTemplate, ARightChoiceOutOfRangeIsTheFirst)
{
    const std::string tmpl = Button("Button 1") + Button("Button 2") + Button("Button 3");
    for (const char* selected : {"3", "-1", "99"}) {
        const auto buttons = Records(FillQuestionTemplate(tmpl, Record({{"SelectAnswer", selected}}), TemplateForType(1)),
                                     "vtButton");
        ASSERT_EQ(buttons.size(), 3u);
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_EQ(GetTag(buttons[k], "buttonMarkIfSelected"), k == 0 ? "1" : "0") << selected << " button " << k;
    }
}

// The same reading as the editor's: only "0" is False; a missing or
// malformed value is True.
TEST(FillQuestionTemplate, TrueFalseMarksFollowTheStatements)
{
    const std::string tmpl = Button("Button 1") + Button("Button 2") + Button("Button 3") + Button("Button 4");
    const std::string question = RemoveTag(Record({{"tf1", "1"}, {"tf2", "0"}, {"tf4", "2"}}), "tf3");
    const std::string out = FillQuestionTemplate(tmpl, question, TemplateForType(6));
    const auto buttons = Records(out, "vtButton");
    ASSERT_EQ(buttons.size(), 4u);
    const bool isTrue[] = {true, false, true, true};  // tf3 is missing, tf4 malformed
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(GetTag(buttons[k], "buttonMarkIfTrueSelected"), isTrue[k] ? "1" : "0");
        EXPECT_EQ(GetTag(buttons[k], "buttonMarkIfFalseSelected"), isTrue[k] ? "0" : "1");
        EXPECT_EQ(StatementIsTrue(question, static_cast<int>(k) + 1), isTrue[k]);
    }
}

TEST(FillQuestionTemplate, ElevenButtonsLoseTheEleventhAndLater)
{
    std::string tmpl;
    for (int i = 1; i <= 12; ++i)
        tmpl += Button("B" + std::to_string(i));
    const auto buttons = Records(FillQuestionTemplate(tmpl, Record({}), TemplateForType(2)), "vtButton");
    ASSERT_EQ(buttons.size(), 10u);
    EXPECT_EQ(GetTag(buttons[9], "ButtonName"), "B10");
}

TEST(FillQuestionTemplate, FieldAnswersKeepTheirPositions)
{
    const std::string tmpl = "<vtField><FieldName>Field 1</FieldName><FieldAnswer9>kept</FieldAnswer9></vtField>"
                             "<vtField><FieldName>Field 2</FieldName></vtField>";
    const std::string q = Record({{"a10", "Paris"}, {"a11", " "}, {"a12", "\"b"}, {"tType1", "1"}, {"a20", "x"}});
    const auto fields = Records(FillQuestionTemplate(tmpl, q, TemplateForType(7)), "vtField");
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(GetTag(fields[0], "FieldAnswer1"), "Paris");
    EXPECT_EQ(fields[0].find("<FieldAnswer2>"), std::string::npos);  // a blank answer is not stored
    // A quote written raw into an old set is kept, stored as the codec stores it.
    EXPECT_EQ(GetTag(fields[0], "FieldAnswer3"), "&#34;b");
    EXPECT_EQ(GetTag(fields[0], "FieldAnswer9"), "kept");
    EXPECT_EQ(GetTag(fields[0], "editRestriction"), "1");
    // Only as many fields as the type has are filled.
    EXPECT_EQ(fields[1].find("<FieldAnswer1>"), std::string::npos);
}

TEST(FillQuestionTemplate, TextsAreFilledByPositionAndTheEleventhStaysInPlace)
{
    // Text 1 stands before Title: the title still goes to the first text.
    std::string tmpl = "<head>h</head>" + Text("Text 1") + Text("Title") + Text("Other");
    for (int i = 0; i < 7; ++i)
        tmpl += Text("Filler");
    tmpl += Text("Eleventh");
    const std::string q = Record({{"Title", "The title"}, {"Text1", "First"}, {"Text2", "Second"}});
    const std::string out = FillQuestionTemplate(tmpl, q, TemplateForType(0));
    const auto texts = Records(out, "vtText");
    ASSERT_EQ(texts.size(), 11u);
    // The eleventh text was never taken out: it leads, unchanged.
    EXPECT_EQ(GetTag(texts[0], "textName"), "Eleventh");
    EXPECT_EQ(GetTag(texts[0], "vtString"), "x");
    EXPECT_EQ(GetTag(texts[1], "textName"), "Text 1");
    EXPECT_EQ(GetTag(texts[1], "vtString"), "The title");
    EXPECT_EQ(GetTag(texts[2], "vtString"), "First");
    EXPECT_EQ(GetTag(texts[3], "vtString"), "x");  // "Other" is not a placeholder
    EXPECT_EQ(out.rfind("<head>h</head>", 0), 0u);
}

TEST(FillPreTestTemplate, NamesAndTheirStandIns)
{
    struct Case {
        const char* testName;
        const char* examiner;
        const char* shownTest;
        const char* shownExaminer;
    };
    const Case cases[] = {
        {"0", "0", "Test", "."},
        {"Unit 3", "Mr Rowe", "Unit 3", "Mr Rowe"},
        {"", "", "", ""},
    };
    const std::string tmpl = Text("TestName") + Text("ExaminerName");
    for (const Case& c : cases) {
        const std::string details = std::string("<TestName>") + c.testName + "</TestName><ExaminerName>" + c.examiner + "</ExaminerName>";
        const auto texts = Records(FillPreTestTemplate(tmpl, details), "vtText");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(GetTag(texts[0], "vtString"), c.shownTest);
        EXPECT_EQ(GetTag(texts[1], "vtString"), c.shownExaminer);
    }
}

}  // namespace
}  // namespace dorvel
