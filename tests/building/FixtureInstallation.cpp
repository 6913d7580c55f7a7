#include "tests/building/FixtureInstallation.h"

#include "model/DefaultRecords.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

namespace dorvel::test {

namespace {

std::string QuestionLevel()
{
    return "<version>1</version><windowSize>1</windowSize>"
           "<tickFileAbs>0</tickFileAbs><tickFileRel>0</tickFileRel>"
           "<crossFileAbs>0</crossFileAbs><crossFileRel>0</crossFileRel>"
           "<questionAudioAbs>0</questionAudioAbs><questionAudioRel>0</questionAudioRel>"
           "<vtBackground><bgFilePathAbs>C:\\Templates\\Plain\\bg.bmp</bgFilePathAbs>"
           "<bgFilePathRel>bg.bmp</bgFilePathRel></vtBackground> ";
}

std::string Text(const std::string& name)
{
    return "<vtText><textName>" + name + "</textName><vtString>placeholder</vtString><textLeft>10</textLeft></vtText> ";
}

std::string Texts(int count)
{
    std::string t = Text("Title");
    for (int k = 1; k <= count; ++k)
        t += Text("Text " + std::to_string(k));
    return t;
}

std::string Button(int k, int type)
{
    return "<vtButton><ButtonName>Button " + std::to_string(k) + "</ButtonName><buttonType>" + std::to_string(type)
        + "</buttonType><s1>0</s1><s2>0</s2><s3>0</s3><ButtonSound1>0</ButtonSound1>"
          "<tf1>0</tf1><tf2>0</tf2><tf3>0</tf3><tf4>0</tf4><tf5>0</tf5><tf6>0</tf6><tf7>0</tf7>"
          "<ButtonSound2>0</ButtonSound2><ButtonSound3>0</ButtonSound3>"
          "<buttonMarkIfSelected>9</buttonMarkIfSelected></vtButton> ";
}

}  // namespace

FixtureInstallation::FixtureInstallation()
{
    m_temp.write("Buttons/tick.gif", "GIF89a tick");
    m_temp.write("Buttons/cross.gif", "GIF89a cross, a little longer");
    m_temp.write("DorvelTemplates/Plain/bg.bmp", "BM background picture");
    SetInstallationFolder(m_temp.path());
    writeTemplate("Plain", "pretest.vtq", PreTestTemplate());
    for (int n = 2; n <= 4; ++n)
        writeTemplate("Plain", "mc" + std::to_string(n) + ".vtq", ChoiceTemplate(n));
    for (int n = 1; n <= 4; ++n) {
        writeTemplate("Plain", "tf" + std::to_string(n) + ".vtq", TrueFalseTemplate(n));
        writeTemplate("Plain", "tx" + std::to_string(n) + ".vtq", TextTemplate(n));
    }
}

FixtureInstallation::~FixtureInstallation()
{
    SetInstallationFolder({});
}

std::string FixtureInstallation::path(const std::string& name) const
{
    return m_temp.path(name);
}

std::string FixtureInstallation::styleFolder(const std::string& style) const
{
    return WithSeparator(m_temp.path("DorvelTemplates/" + style));
}

void FixtureInstallation::writeTemplate(const std::string& style, const std::string& fileName,
                                        const std::string& questionContent) const
{
    ForceDirectory(styleFolder(style));
    ASSERT_TRUE(WriteStoredFile(styleFolder(style) + fileName, "<vtQuestion>" + questionContent + "</vtQuestion>"));
}

std::string FixtureInstallation::writeFile(const std::string& name, const std::string& bytes) const
{
    return m_temp.write(name, bytes);
}

std::string FixtureInstallation::ChoiceTemplate(int count)
{
    std::string t = QuestionLevel() + Texts(count);
    for (int k = 1; k <= count; ++k)
        t += Button(k, 0);
    return t;
}

std::string FixtureInstallation::TrueFalseTemplate(int count)
{
    std::string t = QuestionLevel() + Texts(count);
    for (int k = 1; k <= count; ++k)
        t += Button(k, 1);
    return t;
}

std::string FixtureInstallation::TextTemplate(int count)
{
    std::string t = QuestionLevel() + Texts(count);
    for (int f = 1; f <= count; ++f)
        t += "<vtField><FieldName>Field " + std::to_string(f) + "</FieldName><editRestriction>0</editRestriction></vtField> ";
    return t;
}

std::string FixtureInstallation::PreTestTemplate()
{
    return QuestionLevel() + Text("TestName") + Text("ExaminerName");
}

std::string QuestionRecord(int qType, const std::string& title)
{
    std::string q = SetTag(DefaultQuestionRecord(), "qType", std::to_string(qType));
    return SetTag(q, "Title", title);
}

}  // namespace dorvel::test
