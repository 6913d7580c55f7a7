#include "model/DefaultRecords.h"

#include "model/SetFields.h"
#include "storage/Vtutils.h"

namespace dorvel {

namespace {

// "<aF0> </aF0>...<aF9> </aF9>" for answer field F.
std::string answerRun(int field)
{
    std::string out;
    for (int n = 0; n < 10; ++n) {
        const std::string name = setfield::AnswerField(field, n);
        out += "<" + name + "> </" + name + ">";
    }
    return out;
}

std::string makeDefaultQuestionRecord()
{
    std::string r = "<qType>2</qType> <qDisabled>0</qDisabled> <Title> </Title><Text1> </Text1><Text2> </Text2>"
                    "<Text3> </Text3><Text4> </Text4><Text5> </Text5><Text6> </Text6> <qEnabled>1</qEnabled> "
                    "<SelectAnswer> </SelectAnswer>";
    r += "<tf1>1</tf1> <tf2>1</tf2> <tf3>1</tf3> <tf4>1</tf4> <tf5>1</tf5> <tf6>1</tf6> <tType1> </tType1>";
    r += answerRun(1) + " <tType2> </tType2>" + answerRun(2);
    r += "<tType3> </tType3>" + answerRun(3) + " <tType4> </tType4>" + answerRun(4);
    r += "<tType5> </tType5>" + answerRun(5) + " <tType6> </tType6>" + answerRun(6);
    return r;
}

}  // namespace

const std::string& DefaultQuestionRecord()
{
    static const std::string record = makeDefaultQuestionRecord();
    return record;
}

const std::string& DefaultTestDetails()
{
    static const std::string record = "<creator>dv1</creator><version>1</version><bankstatus1>1</bankstatus1><bankstatus2>1</bankstatus2>"
                                      "<questionFiles> </questionFiles><ResultsSummaryPriority>1</ResultsSummaryPriority>"
                                      "<GraphicStyle>Default</GraphicStyle><PresentInRandomOrder>0</PresentInRandomOrder><isExam>0</isExam>"
                                      "<allowMarking>0</allowMarking><allowCheating>0</allowCheating><ShowAnswer>0</ShowAnswer>"
                                      "<showResults>1</showResults><showResultsSummary>1</showResultsSummary>"
                                      "<ShowFeedback>0</ShowFeedback><allowSaving>1</allowSaving><allowPrinting>1</allowPrinting>"
                                      "<allowFinishedQuestionViewing>1</allowFinishedQuestionViewing><showBackgroundCover>0</showBackgroundCover>"
                                      "<creationdate>0</creationdate><TestName>0</TestName><ExaminerName>0</ExaminerName>"
                                      "<shouldUserEnterDetails>0</shouldUserEnterDetails><userEntryLabel1>Name</userEntryLabel1>"
                                      "<userEntryLabel2>Class/Department</userEntryLabel2><userEntryLabel3>User ID</userEntryLabel3>"
                                      "<vtCategories></vtCategories><UseMinimumAsPercentageBaseline>1</UseMinimumAsPercentageBaseline>"
                                      "<VerboseResults>1</VerboseResults>";
    return record;
}

const std::string& NewSetDetails()
{
    static const std::string record = SetTag(DefaultTestDetails(), kAskNameField, "1");
    return record;
}

bool AsksStudentName(std::string_view testDetails)
{
    return GetTagInt(testDetails, kAskNameField, 0) == 1;
}

bool StatementIsTrue(std::string_view question, int k)
{
    return GetTagInt(question, setfield::StatementAnswerField(k), 1) != 0;
}

}  // namespace dorvel
