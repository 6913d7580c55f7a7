// The results as CSV: read back by a strict RFC 4180 reader, and opened by
// LibreOffice Calc (a headless convert) where it is installed.
#include "classroom/ClassRoom.h"
#include "classroom/ClassStore.h"
#include "classroom/QrCode.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QJsonArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

using namespace dorvel::classroom;
using Rows = std::vector<std::vector<std::string>>;

// RFC 4180: fields apart by commas, records by CRLF, a quoted field doubles
// its quotes. Anything else (a lone quote, a bare LF) fails the read.
bool ReadCsv(const std::string& text, Rows& rows)
{
    rows.clear();
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            ++i;
            while (true) {
                if (i >= text.size())
                    return false;
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\r') {
                if (text[i] == '"' || text[i] == '\n')
                    return false;
                field += text[i++];
            }
        }
        if (i < text.size() && text[i] == ',') {
            row.push_back(field);
            field.clear();
            ++i;
        } else if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') {
            row.push_back(field);
            field.clear();
            rows.push_back(row);
            row.clear();
            i += 2;
        } else if (i < text.size()) {
            return false;
        }
    }
    return row.empty() && field.empty();
}

class ClassCsvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        store = ClassStore::open(folder.path("classes.sqlite"), error);
        ASSERT_TRUE(store) << error;
        ClassQuestion choice{2, {}};
        choice.question.kind = dorvel::QuestionKind::Choice;
        choice.question.choices = {dorvel::Choice{"a", 1, ""}, dorvel::Choice{"b", 0, ""}};
        ClassQuestion trueFalse{9, {}};
        trueFalse.question.kind = dorvel::QuestionKind::TrueFalse;
        trueFalse.question.statements = {dorvel::Statement{"s1", true, "", ""}, dorvel::Statement{"s2", true, "", ""}};
        room = std::make_unique<ClassRoom>(*store, std::vector<ClassQuestion>{choice, trueFalse});
        ASSERT_TRUE(room->begin("/sets/s.vtd", "S", error)) << error;
        const auto join = [&](const char* name) {
            const Reply reply = room->join(QJsonObject{{QStringLiteral("name"), QString::fromUtf8(name)},
                                                       {QStringLiteral("code"), QString::fromStdString(room->record().code)}});
            EXPECT_EQ(reply.status, 200) << reply.json;
            return QJsonDocument::fromJson(QByteArray::fromStdString(reply.json)).object();
        };
        const auto answer = [&](const QJsonObject& who, int question, const QJsonObject& response) {
            QJsonObject body = who;
            body.insert(QStringLiteral("question"), question);
            body.insert(QStringLiteral("response"), response);
            EXPECT_EQ(room->answer(body).status, 200);
        };
        const QJsonObject zoe = join("O'Brien, Zoë \"Zo\"");
        const QJsonObject formula = join("=1+1");
        join("Ünal");
        answer(zoe, 2, {{QStringLiteral("chosen"), QJsonArray{0}}});
        answer(zoe, 9, {{QStringLiteral("statements"), QJsonArray{1, 0}}});
        answer(formula, 9, {{QStringLiteral("statements"), QJsonArray{1, 1}}});
        EXPECT_EQ(room->finish(zoe).status, 200);
    }

    dorvel::test::TempFolder folder;
    std::unique_ptr<ClassStore> store;
    std::unique_ptr<ClassRoom> room;
};

const Rows kExpected = {
    {"Name", "Finished", "Score", "Max", "Q2", "Q9"},
    {"O'Brien, Zoë \"Zo\"", "yes", "2", "3", "1", "1"},
    {"'=1+1", "no", "2", "3", "", "2"},
    {"Ünal", "no", "0", "3", "", ""},
};

TEST_F(ClassCsvTest, OneRowPerStudentOneColumnPerQuestionReadByAStrictReader)
{
    Rows rows;
    ASSERT_TRUE(ReadCsv(room->csv(), rows)) << room->csv();
    EXPECT_EQ(rows, kExpected);
}

TEST_F(ClassCsvTest, LibreOfficeCalcOpensItWithTheRightColumnsAndNumbers)
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice Calc is not installed (libreoffice-calc-nogui); the strict reader above checks the file";
    const std::string csv = room->csv();
    const std::string path = folder.write("results.csv", csv);
    QProcess convert;
    convert.start(office, {QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("-env:UserInstallation=file://") + QString::fromStdString(folder.path("profile")), QStringLiteral("--infilter=CSV:44,34,76,1"), QStringLiteral("--convert-to"), QStringLiteral("html"), QStringLiteral("--outdir"), QString::fromStdString(folder.path("out")), QString::fromStdString(path)});
    ASSERT_TRUE(convert.waitForFinished(120000));
    ASSERT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
    QFile html(QString::fromStdString(folder.path("out/results.html")));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(html.readAll());
    // Each row of the sheet; each cell's text, numbers with their value.
    Rows cells;
    const QRegularExpression rowPattern(QStringLiteral("<tr>(.*?)</tr>"), QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression cellPattern(QStringLiteral("<td([^>]*)>(.*?)</td>"), QRegularExpression::DotMatchesEverythingOption);
    std::vector<std::vector<bool>> numeric;
    for (auto row = rowPattern.globalMatch(page); row.hasNext();) {
        const QString rowText = row.next().captured(1);
        cells.emplace_back();
        numeric.emplace_back();
        for (auto cell = cellPattern.globalMatch(rowText); cell.hasNext();) {
            const auto match = cell.next();
            QString text = match.captured(2);
            text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            text.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            cells.back().push_back(text.trimmed().toStdString());
            numeric.back().push_back(match.captured(1).contains(QStringLiteral("sdval=")));
        }
    }
    EXPECT_EQ(cells, kExpected);
    ASSERT_EQ(numeric.size(), kExpected.size());
    // Scores and marks are numbers to the spreadsheet; names stay text (the
    // one that looks like a formula too).
    EXPECT_FALSE(numeric[2][0]);
    EXPECT_TRUE(numeric[1][2]);
    EXPECT_TRUE(numeric[1][5]);
}

TEST(QrCode, DrawsTheThreeFinderPatternsAndTwoRowsToALine)
{
    const QrCode code = QrCodeOf("http://192.168.1.20:8080/");
    ASSERT_GE(code.size, 21);
    // Each corner but the lower right holds a 7 x 7 finder: dark ring, light ring, dark centre.
    for (const auto& [x0, y0] : {std::pair{0, 0}, std::pair{code.size - 7, 0}, std::pair{0, code.size - 7}}) {
        for (int i = 0; i < 7; ++i) {
            EXPECT_TRUE(code.at(x0 + i, y0) && code.at(x0 + i, y0 + 6) && code.at(x0, y0 + i) && code.at(x0 + 6, y0 + i));
        }
        EXPECT_FALSE(code.at(x0 + 1, y0 + 1));
        EXPECT_TRUE(code.at(x0 + 3, y0 + 3));
    }
    const std::string text = QrCodeText(code);
    EXPECT_EQ(static_cast<int>(std::count(text.begin(), text.end(), '\n')), (code.size + 8 + 1) / 2);
}

}  // namespace
