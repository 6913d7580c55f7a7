// The table of marking cases (cases.json) through MarkQuestion. The same
// table goes through marking.js under Node (the test `marking_js`), and both
// must give exactly what it holds: so the web test and every other output
// mark alike.
#include "marking/Marking.h"
#include "storage/FileUtils.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <string>

namespace dorvel {
namespace {

std::string text(const QJsonValue& v)
{
    return v.toString().toStdString();
}

FieldKind fieldKind(const QString& kind)
{
    if (kind == QStringLiteral("number"))
        return FieldKind::Numbers;
    if (kind == QStringLiteral("range"))
        return FieldKind::NumberRange;
    return FieldKind::AnyText;
}

Question questionOf(const QJsonObject& o)
{
    Question q;
    const QString kind = o.value(QStringLiteral("kind")).toString();
    q.kind = kind == QStringLiteral("truefalse") ? QuestionKind::TrueFalse
        : kind == QStringLiteral("typed")        ? QuestionKind::Typed
                                                 : QuestionKind::Choice;
    q.manyRight = o.value(QStringLiteral("manyRight")).toBool();
    for (const QJsonValue& c : o.value(QStringLiteral("choices")).toArray())
        q.choices.push_back({text(c[QStringLiteral("text")]), c[QStringLiteral("weight")].toDouble(), {}});
    for (const QJsonValue& s : o.value(QStringLiteral("statements")).toArray())
        q.statements.push_back({text(s[QStringLiteral("text")]), s[QStringLiteral("isTrue")].toBool(true), {}, {}});
    for (const QJsonValue& f : o.value(QStringLiteral("fields")).toArray()) {
        AnswerField field;
        field.label = text(f[QStringLiteral("label")]);
        field.kind = fieldKind(f[QStringLiteral("kind")].toString());
        for (const QJsonValue& a : f[QStringLiteral("accepted")].toArray())
            field.accepted.push_back({text(a[QStringLiteral("text")]), {}});
        q.fields.push_back(std::move(field));
    }
    return q;
}

Response responseOf(const QJsonObject& o)
{
    Response r;
    for (const QJsonValue& v : o.value(QStringLiteral("chosen")).toArray())
        r.chosen.push_back(v.toInt());
    for (const QJsonValue& v : o.value(QStringLiteral("statements")).toArray())
        r.statements.push_back(v.toInt());
    for (const QJsonValue& v : o.value(QStringLiteral("typed")).toArray())
        r.typed.push_back(text(v));
    return r;
}

TEST(Marking, EveryCaseOfTheTableMarksAsItSays)
{
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(std::string(DORVEL_SOURCE_DIR) + "/tests/marking/cases.json", bytes));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray cases = doc.array();
    ASSERT_GE(cases.size(), 50);
    for (const QJsonValue& value : cases) {
        const QJsonObject c = value.toObject();
        const std::string name = text(c[QStringLiteral("name")]);
        const Mark mark = MarkQuestion(questionOf(c[QStringLiteral("question")].toObject()),
                                       responseOf(c[QStringLiteral("response")].toObject()));
        // Exactly, not nearly: the JavaScript must reach the same doubles.
        EXPECT_EQ(mark.score, c[QStringLiteral("score")].toDouble()) << name;
        EXPECT_EQ(mark.max, c[QStringLiteral("max")].toDouble()) << name;
        EXPECT_FALSE(mark.forTeacher) << name;
        const QJsonArray parts = c[QStringLiteral("parts")].toArray();
        ASSERT_EQ(mark.parts.size(), static_cast<std::size_t>(parts.size())) << name;
        for (qsizetype k = 0; k < parts.size(); ++k)
            EXPECT_EQ(mark.parts[static_cast<std::size_t>(k)], parts[k].toDouble()) << name << " part " << k;
    }
}

// Today's records marked through the question type: what a set's question
// reads as is what the web test marks right.
TEST(Marking, TodaysRecordsMarkTheirRightAnswersRight)
{
    const Question choice = ReadQuestion("<qType>1</qType><SelectAnswer>2</SelectAnswer>");
    EXPECT_EQ(MarkQuestion(choice, {{2}, {}, {}}).score, 1);
    EXPECT_EQ(MarkQuestion(choice, {{0}, {}, {}}).score, 0);
    const Question tf = ReadQuestion("<qType>4</qType><tf1>0</tf1><tf2>1</tf2>");
    EXPECT_EQ(MarkQuestion(tf, {{}, {0, 1}, {}}).score, 2);
    const Question typed = ReadQuestion("<qType>8</qType><a10>Vienna</a10><tType2>1</tType2><useRange2>1</useRange2>"
                                        "<a20>10</a20><a21>1</a21>");
    const Mark mark = MarkQuestion(typed, {{}, {}, {" vienna", "10"}});
    EXPECT_EQ(mark.score, 2);
    EXPECT_EQ(mark.max, 2);
}

TEST(Marking, ReadsTheNumberAStudentTypes)
{
    struct Case {
        const char* text;
        bool number;
        double value;
    };
    const Case cases[] = {{"42", true, 42}, {"-3.5", true, -3.5}, {"0,25", true, 0.25}, {".5", true, 0.5}, {"5.", true, 5}, {"5,", true, 5}, {"+7", true, 7}, {"2e3", true, 2000}, {"2e", true, 2}, {"1.5.3", true, 1.5}, {"", false, 0}, {"-", false, 0}, {",", false, 0}, {"e5", false, 0}, {"abc", false, 0}, {"1e999", false, 0}};
    for (const Case& c : cases) {
        double v = 0;
        EXPECT_EQ(ReadTypedNumber(c.text, v), c.number) << c.text;
        if (c.number) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace dorvel
