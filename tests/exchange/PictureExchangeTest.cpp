#include "exchange/ImportedPictures.h"
#include "exchange/MarkedText.h"
#include "exchange/QuestionReaders.h"
#include "exchange/QuestionWriters.h"
#include "exchange/Reasons.h"
#include "exchange/SetRecords.h"
#include "media/QuestionMedia.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMedia.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <tuple>

namespace dorvel::exchange {
namespace {

std::string bytesOf(const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

std::string base64(const std::string& bytes)
{
    return QByteArray::fromStdString(bytes).toBase64().toStdString();
}

std::string fileElement(const std::string& name, const std::string& content, const std::string& encoding = "base64")
{
    return "<file name=\"" + name + "\" path=\"/\" encoding=\"" + encoding + "\">" + content + "</file>";
}

// A true/false question whose text (HTML) and files are given.
std::string moodleQuiz(const std::string& html, const std::string& files, const std::string& answerFiles = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz><question type=\"truefalse\"><name><text>Map</text></name>"
           "<questiontext format=\"html\"><text><![CDATA["
        + html + "]]></text>" + files + "</questiontext><answer fraction=\"100\"><text>true</text>" + answerFiles
        + "</answer><answer fraction=\"0\"><text>false</text></answer></question></quiz>";
}

// Real pictures, made once for every test here.
struct Pictures {
    test::TempFolder dir;
    std::string red = bytesOf(test::MakePicture(dir.path("red.png"), 40, 30, "red"));
    std::string blue = bytesOf(test::MakePicture(dir.path("blue.png"), 20, 20, "blue"));
    std::string green = bytesOf(test::MakePicture(dir.path("green.png"), 20, 20, "green"));
    std::string wide = bytesOf(test::MakePicture(dir.path("wide.png"), kMaxPictureSide + 1, 1));
};

const Pictures& pictures()
{
    static const Pictures made;
    return made;
}

using LeftOutRow = std::tuple<int, std::string, MediaVerdict>;  // reason, file, verdict

std::vector<LeftOutRow> rowsOf(const ImportResult& result)
{
    std::vector<LeftOutRow> rows;
    for (const LeftOut& l : result.leftOut)
        rows.emplace_back(l.reason, l.detail, l.verdict);
    return rows;
}

TEST(PictureImport, TheFirstPictureOfTheTextComesInAndTheRestIsListed)
{
    const Pictures& p = pictures();
    const std::string red = base64(p.red);
    const std::string oversized(((kMaxPictureBytes + 2) / 3) * 4 + 4, 'A');
    struct Case {
        const char* what;
        std::string html;
        std::string files;
        std::string picture;  // the name taken, "" for none
        std::vector<LeftOutRow> leftOut;
        std::string answerFiles = {};
    } const table[] = {
        {"a picture, its URL-encoded name and its alt text", "<p>Red?</p><img src=\"@@PLUGINFILE@@/my%20map%C3%BC.png\" alt=\"A &quot;red&quot; map > none\">", fileElement("my mapü.png", red), "my mapü.png", {}},
        {"base64 broken over lines, an address with ?time", "<img src=\"@@PLUGINFILE@@/m.png?time=1700\">", fileElement("m.png", red.substr(0, 20) + "\n  " + red.substr(20)), "m.png", {}},
        {"a picture the text names but the file lacks: the next one is taken",
         "<img src=\"@@PLUGINFILE@@/gone.png\"><img src=\"@@PLUGINFILE@@/m.png\">",
         fileElement("m.png", red),
         "m.png",
         {{reason::kPictureNotInFile, "gone.png", MediaVerdict::Ok}}},
        {"further pictures, a linked one and files of other parts are left out",
         "<img src=\"@@PLUGINFILE@@/m.png\"><img src=\"@@PLUGINFILE@@/b.png\"><img src=\"https://example.org/x.png\"><img src=\"@@PLUGINFILE@@/m.png\">",
         fileElement("m.png", red) + fileElement("b.png", base64(p.blue)) + fileElement("notes.pdf", "JVBERg=="),
         "m.png",
         {{reason::kFileLeftOut, "b.png", MediaVerdict::Ok}, {reason::kFileLeftOut, "https://example.org/x.png", MediaVerdict::Ok}, {reason::kFileLeftOut, "notes.pdf", MediaVerdict::Ok}, {reason::kFileLeftOut, "answer.png", MediaVerdict::Ok}},
         fileElement("answer.png", red)},
        {"over the size limit: refused before it is decoded", "<img src=\"@@PLUGINFILE@@/big.png\">", fileElement("big.png", oversized), "", {{reason::kPictureRefused, "big.png", MediaVerdict::TooLarge}}},
        {"too many pixels", "<img src=\"@@PLUGINFILE@@/wide.png\">", fileElement("wide.png", base64(p.wide)), "", {{reason::kPictureRefused, "wide.png", MediaVerdict::TooManyPixels}}},
        {"not a picture by its name, then by its content, then not base64",
         "<img src=\"@@PLUGINFILE@@/notes.txt\"><img src=\"@@PLUGINFILE@@/fake.png\"><img src=\"@@PLUGINFILE@@/bad.png\"><img src=\"@@PLUGINFILE@@/plain.png\">",
         fileElement("notes.txt", base64("hello")) + fileElement("fake.png", base64("GIF89a not a png"))
             + fileElement("bad.png", "!!!!") + fileElement("plain.png", red, "plain"),
         "",
         {{reason::kPictureRefused, "notes.txt", MediaVerdict::UnknownKind},
          {reason::kPictureRefused, "fake.png", MediaVerdict::WrongContent},
          {reason::kPictureRefused, "bad.png", MediaVerdict::WrongContent},
          {reason::kPictureRefused, "plain.png", MediaVerdict::WrongContent}}},
        {"SVGs that are more than pictures are refused: the next picture is taken",
         "<img src=\"@@PLUGINFILE@@/run.svg\"><img src=\"@@PLUGINFILE@@/far.svg\"><img src=\"@@PLUGINFILE@@/m.png\">",
         fileElement("run.svg", base64("<svg xmlns=\"http://www.w3.org/2000/svg\" onload=\"alert(1)\"/>"))
             + fileElement("far.svg", base64("<svg xmlns=\"http://www.w3.org/2000/svg\"><image href=\"https://example.org/t.png\"/></svg>"))
             + fileElement("m.png", red),
         "m.png",
         {{reason::kPictureRefused, "run.svg", MediaVerdict::SvgScript},
          {reason::kPictureRefused, "far.svg", MediaVerdict::SvgExternal}}},
        {"a hostile name: only its last part is kept (and made safe where it is written)",
         "<img src=\"@@PLUGINFILE@@/..%2F..%2Fx.png\">",
         fileElement("../../x.png", red),
         "x.png",
         {}},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.what);
        const ImportResult result = ReadMoodleXml(moodleQuiz(c.html, c.files, c.answerFiles));
        ASSERT_EQ(result.error, 0);
        ASSERT_EQ(result.questions.size(), 1u) << "a picture never costs its question";
        const Question& q = result.questions.front();
        EXPECT_EQ(q.picture.name, c.picture);
        EXPECT_EQ(q.picture.bytes, c.picture.empty() ? std::string() : p.red);
        EXPECT_EQ(rowsOf(result), c.leftOut);
        for (const LeftOut& l : result.leftOut)
            EXPECT_EQ(l.name, "Map");
    }
    const ImportResult described = ReadMoodleXml(moodleQuiz(table[0].html, table[0].files));
    EXPECT_EQ(described.questions.front().text, "Red?") << "the picture adds nothing to the text";
    EXPECT_EQ(described.questions.front().picture.alt, "A \"red\" map > none");
}

TEST(PictureImport, WrittenIntoTheFolderUnderSafeUniqueNames)
{
    const Pictures& p = pictures();
    test::TempFolder dir;
    const std::string folder = PictureFolderOf(dir.path("out.vtd"));
    EXPECT_EQ(folder, dir.path("out media"));
    // A file already there under a name the import wants is never replaced;
    // one with a picture's very bytes is that picture.
    ASSERT_TRUE(ForceDirectory(folder));
    dir.write("out media/map.png", p.wide);
    dir.write("out media/same.png", p.blue);

    const std::pair<const char*, const std::string*> named[] = {
        {"../../x.png", &p.red},       // x.png
        {".hidden.png", &p.red},       // hidden.png
        {"a/b.png", &p.red},           // b.png
        {"c:\\d\\..\\e.png", &p.red},  // e.png
        {"..", &p.red},                // "picture" is no picture kind: refused
        {"con.png", &p.red},           // _con.png
        {"map.png", &p.red},           // map-2.png: map.png there is another picture
        {"Map.png", &p.green},         // Map-3.png: letter case does not tell files apart everywhere
        {"Map.png", &p.green},         // the same picture of the same name again: one file for both
        {"other.png", &p.blue},        // already there as same.png: used, not written
    };
    ImportResult result;
    for (const auto& [name, bytes] : named) {
        Question q;
        q.kind = Kind::TrueFalse;
        q.text = name;
        q.statements = {{"", true}};
        q.position = static_cast<int>(result.questions.size()) + 1;
        q.picture = {name, *bytes, {}};
        result.questions.push_back(q);
    }
    std::vector<OpenSet> sets = SetsOfQuestions(result.questions, {});
    const PlacedPictures placed = PlaceImportedPictures(result, sets, folder, {dir.path("out.vtd")});
    EXPECT_EQ(placed.error, "");

    const std::vector<std::string> expected = {"x.png", "hidden.png", "b.png", "e.png", "", "_con.png", "map-2.png",
                                               "Map-3.png", "Map-3.png", "same.png"};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(named[k].first);
        const std::string& record = sets[0].questionSlots[k + 1];
        const ResolvedMedia media = ResolveQuestionMedia(record, MediaKind::Picture, dir.path("out.vtd"));
        if (expected[k].empty()) {
            EXPECT_FALSE(media.named);
            continue;
        }
        EXPECT_TRUE(media.found);
        EXPECT_EQ(media.path, folder + "/" + expected[k]);
        EXPECT_EQ(GetTag(record, kQuestionPictureFields.rel), "out media/" + expected[k]);
        EXPECT_EQ(bytesOf(media.path), *named[k].second);
    }
    EXPECT_EQ(bytesOf(folder + "/map.png"), p.wide) << "the file that was there is as it was";
    ASSERT_EQ(result.leftOut.size(), 1u);
    EXPECT_EQ(result.leftOut.front().position, 5);
    EXPECT_EQ(result.leftOut.front().verdict, MediaVerdict::UnknownKind);
    EXPECT_EQ(placed.written, 7);
    EXPECT_EQ(placed.named, 9);
    // Nothing was written anywhere else: the test's folder holds the set's
    // media folder only, and that folder holds only pictures.
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{});
    EXPECT_EQ(ListFolders(folder), std::vector<std::string>{});
    EXPECT_EQ(ListFiles(folder).size(), 9u);

    // The same import again writes nothing new and names the same files.
    result.leftOut.clear();
    std::vector<OpenSet> again = SetsOfQuestions(result.questions, {});
    EXPECT_EQ(PlaceImportedPictures(result, again, folder, {dir.path("out.vtd")}).written, 0);
    for (std::size_t k = 1; k <= expected.size(); ++k)
        EXPECT_EQ(NamedQuestionMedia(again[0].questionSlots[k], MediaKind::Picture),
                  NamedQuestionMedia(sets[0].questionSlots[k], MediaKind::Picture));
    EXPECT_EQ(ListFiles(folder).size(), 9u);
    EXPECT_EQ(result.leftOut.size(), 1u);
}

TEST(PictureImport, AFolderThatCannotBeMadeTakesNoPicture)
{
    const Pictures& p = pictures();
    test::TempFolder dir;
    const std::string blocker = dir.write("quiz media", "a file where the folder would go");
    ImportResult result = ReadMoodleXml(moodleQuiz("<img src=\"@@PLUGINFILE@@/m.png\">", fileElement("m.png", base64(p.red))));
    std::vector<OpenSet> sets = SetsOfQuestions(result.questions, {});
    const PlacedPictures placed = PlaceImportedPictures(result, sets, PictureFolderOf(dir.path("quiz.xml")));
    EXPECT_NE(placed.error.find("quiz media"), std::string::npos);
    EXPECT_EQ(placed.named, 0);
    EXPECT_FALSE(ResolveQuestionMedia(sets[0].questionSlots[1], MediaKind::Picture, {}).named);
    EXPECT_EQ(bytesOf(blocker), "a file where the folder would go");
}

TEST(PictureExport, MoodleXmlEmbedsThePictureAndItComesBackTheSame)
{
    const Pictures& p = pictures();
    test::TempFolder dir;
    const std::string path = dir.write("Eule mit Ü & co.png", p.red);
    Question q;
    q.kind = Kind::TrueFalse;
    q.name = "Owl";
    q.text = "Is it <b>red</b>?";
    q.statements = {{"first", true}, {"second", false}};
    q.picture.alt = "a \"red\" <owl>";
    const std::string xml = MoodleXmlText({{1, q, path}, {2, q, dir.path("missing.png")}}, {});
    EXPECT_NE(xml.find("<file name=\"Eule mit Ü &amp; co.png\" path=\"/\" encoding=\"base64\">" + base64(p.red) + "</file>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("&lt;img src=&quot;@@PLUGINFILE@@/Eule%20mit%20%C3%9C%20%26%20co.png&quot;"), std::string::npos) << xml;

    const ImportResult back = ReadMoodleXml(xml);
    // Two statements go as two questions, each with the picture; the question
    // whose file is missing goes without one.
    ASSERT_EQ(back.questions.size(), 4u);
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(back.questions[k].picture.bytes, p.red);
        EXPECT_EQ(back.questions[k].picture.name, "Eule mit Ü & co.png");
        EXPECT_EQ(back.questions[k].picture.alt, q.picture.alt);
        EXPECT_EQ(back.questions[k].text, "Is it <b>red</b>?\n" + q.statements[k].text);
    }
    EXPECT_TRUE(back.questions[2].picture.bytes.empty());
    EXPECT_TRUE(back.leftOut.empty());
}

}  // namespace
}  // namespace dorvel::exchange
