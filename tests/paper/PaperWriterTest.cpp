// The paper test as a teacher gets it: a set printed by dorvel-cli to PDF,
// read back with poppler's pdftotext and pdftoppm.
#include "media/QuestionMedia.h"
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMedia.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace dorvel {
namespace {

std::string question(int type, const std::string& title, const std::vector<std::pair<std::string, std::string>>& fields)
{
    std::string q = SetTag(DefaultQuestionRecord(), "qType", std::to_string(type));
    q = SetTag(q, "Title", EncodeText(title));
    for (const auto& [name, value] : fields)
        q = SetTag(q, name, EncodeText(value));
    return q;
}

// A set in four scripts, one question of each family, a disabled question,
// a question with a picture and enough tall questions to fill pages.
std::string writeSet(const test::TempFolder& folder, const std::string& picture)
{
    auto set = std::make_unique<OpenSet>();
    set->testDetails = SetTag(DefaultTestDetails(), "TestName", EncodeText("Erdkunde – Prüfung"));
    set->testDetails = SetTag(set->testDetails, "ExaminerName", EncodeText("Ηλίας Παπαδόπουλος"));
    const std::string path = folder.path("Welt.vtd");
    std::vector<std::string> qs = {
        question(1, "Welche Stadt ist größer?", {{"Text1", "München"}, {"Text2", "Berlin"}, {"Text3", "Köln"}, {"SelectAnswer", "1"}}),
        question(4, "Σωστό ή λάθος;", {{"Text1", "Η Αθήνα είναι πρωτεύουσα."}, {"tf1", "1"}, {"Text2", "القاهرة عاصمة مصر"}, {"tf2", "0"}}),
        question(7, "日本の首都はどこですか", {{"Text1", "首都"}, {"a10", "東京"}, {"a11", "Tokyo"}}),
        question(7, "Height of Mont Blanc in metres?", {{"Text1", "Height"}, {"tType1", "1"}, {"useRange1", "1"}, {"a10", "4800"}, {"a11", "4810"}}),
        question(0, "Hidden question never printed", {{"qDisabled", "1"}}),
        WithQuestionMedia(question(0, "What colour is the picture?", {{"Text1", "Blue"}, {"Text2", "Red"}}),
                          MediaKind::Picture, picture, path),
    };
    for (int n = 1; n <= 24; ++n) {
        const std::string tag = "Q" + std::to_string(n);
        qs.push_back(question(10, tag + " begins here", {{"Text1", tag + " field one"}, {"Text2", tag + " field two"}, {"Text3", tag + " field three"}, {"Text4", tag + " ends here"}}));
    }
    set->questionSlots[0] = DefaultQuestionRecord();
    for (std::size_t i = 0; i < qs.size(); ++i)
        set->questionSlots[i + 1] = qs[i];
    EXPECT_TRUE(WriteStoredFile(path, PrepareSetFileText(*set, 0)));
    return path;
}

std::string pdfText(const std::string& pdf, int page = 0)
{
    std::vector<std::string> args = {"-enc", "UTF-8"};
    if (page > 0)
        args.insert(args.end(), {"-f", std::to_string(page), "-l", std::to_string(page)});
    args.insert(args.end(), {pdf, "-"});
    // The PDF names some glyphs by their presentation forms (Arabic letter
    // shapes, CJK radicals): compatibility folding gives back the letters.
    return QString::fromStdString(test::RunProgram("/usr/bin/pdftotext", args).out)
        .normalized(QString::NormalizationForm_KC)
        .toStdString();
}

int pdfPages(const std::string& pdf)
{
    const std::string info = test::RunProgram("/usr/bin/pdfinfo", {pdf}).out;
    const auto at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

bool has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class PaperTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string picture = test::MakePicture(folder.path("blue.png"), 400, 300, "steelblue");
    std::string set = writeSet(folder, picture);
};

TEST_F(PaperTest, TestAndKeyHoldTheQuestionsInEveryScriptAndOnlyTheKeyHoldsAnswers)
{
    struct Case {
        bool key;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::vector<std::string> always = {"Erdkunde – Prüfung", "Ηλίας Παπαδόπουλος", "Name:", "Date:",
                                             "Welche Stadt ist größer?", "München", "Köln", "Σωστό ή λάθος;", "Η Αθήνα είναι πρωτεύουσα.", "日本の首都はどこですか",
                                             "首都", "True", "False", "What colour is the picture?", "Q24 ends here"};
    const Case cases[] = {
        {false, always, {"Answer key", "東京", "Tokyo", "4810", "Hidden question"}},
        {true, always, {"Hidden question"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key ? "key" : "test");
        const std::string pdf = folder.path(c.key ? "key.pdf" : "test.pdf");
        std::vector<std::string> args = {"paper", set, pdf, "--paper", "a4"};
        if (c.key)
            args.push_back("--key");
        const test::ProgramRun run = test::RunProgram(DORVEL_CLI, args);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string text = pdfText(pdf);
        for (const std::string& part : c.present)
            EXPECT_TRUE(has(text, part)) << part;
        for (const std::string& part : c.absent)
            EXPECT_FALSE(has(text, part)) << part;
        if (c.key) {
            EXPECT_TRUE(has(text, "Answer key"));
            EXPECT_TRUE(has(text, "東京 / Tokyo"));
            EXPECT_TRUE(has(text, "any number from 4800 to 4810")) << "a range, not two answers";
        }
        // Arabic comes out in either order, as the PDF reader likes it.
        EXPECT_TRUE(has(text, "القاهرة") || has(text, "ةرهاقلا")) << text;
        const int pages = pdfPages(pdf);
        EXPECT_GT(pages, 2);
        EXPECT_TRUE(has(run.out, "29 questions on " + std::to_string(pages) + " pages")) << run.out;
        EXPECT_TRUE(has(pdfText(pdf, pages), "Page " + std::to_string(pages) + " of " + std::to_string(pages)));
    }
}

TEST_F(PaperTest, NoQuestionIsSplitAcrossTwoPages)
{
    const std::string pdf = folder.path("test.pdf");
    ASSERT_EQ(test::RunProgram(DORVEL_CLI, {"paper", set, pdf, "--paper", "letter"}).status, 0);
    const int pages = pdfPages(pdf);
    std::vector<std::string> pageTexts;
    for (int p = 1; p <= pages; ++p)
        pageTexts.push_back(pdfText(pdf, p));
    for (int n = 1; n <= 24; ++n) {
        const std::string tag = "Q" + std::to_string(n);
        int begins = -1;
        int ends = -2;
        for (int p = 0; p < pages; ++p) {
            if (has(pageTexts[p], tag + " begins here"))
                begins = p;
            if (has(pageTexts[p], tag + " ends here"))
                ends = p;
        }
        EXPECT_EQ(begins, ends) << tag;
    }
    EXPECT_TRUE(has(test::RunProgram("/usr/bin/pdfinfo", {pdf}).out, "612 x 792 pts"));
}

// Points as the web test marks them: a choice question 1, a true/false
// question one per statement, a typed question one per field; the question
// left out counts for nothing. The set: 1 + 2 + 1 + 1 + 1 + 24 x 4 = 102.
TEST_F(PaperTest, EachQuestionShowsItsPointsAndTheHeadingTheTotalInThePacksWords)
{
    struct Case {
        const char* lang;
        std::string total;
        std::string one;
        std::string two;
        std::string four;
    };
    const Case cases[] = {
        {"English (UK)", "Total: 102 points", "1 point", "2 points", "4 points"},
        {"Deutsch", "Gesamt: 102 Punkte", "1 Punkt", "2 Punkte", "4 Punkte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lang);
        const std::string pdf = folder.path(std::string(c.lang) + ".pdf");
        ASSERT_EQ(test::RunProgram(DORVEL_CLI, {"--lang", c.lang, "paper", set, pdf}).status, 0);
        const std::string text = pdfText(pdf);
        EXPECT_TRUE(has(text, c.total)) << text.substr(0, 400);
        EXPECT_TRUE(has(text, c.two));
        const auto count = [&](const std::string& part) {
            int found = 0;
            for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
                ++found;
            return found;
        };
        // Two choice questions and two one-field questions; 24 of four fields.
        EXPECT_EQ(count(c.one), 4);
        EXPECT_EQ(count(c.four), 24);
    }
}

TEST_F(PaperTest, ThePictureIsPrintedWithItsQuestion)
{
    const std::string pdf = folder.path("test.pdf");
    ASSERT_EQ(test::RunProgram(DORVEL_CLI, {"paper", set, pdf}).status, 0);
    ASSERT_EQ(test::RunProgram("/usr/bin/pdftoppm", {"-png", "-r", "40", "-f", "1", "-l", "1", pdf, folder.path("page")}).status, 0);
    QImage page(QString::fromStdString(folder.path("page-1.png")));
    if (page.isNull())
        page = QImage(QString::fromStdString(folder.path("page-01.png")));
    ASSERT_FALSE(page.isNull());
    int blue = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            blue += std::abs(c.red() - 70) < 20 && std::abs(c.green() - 130) < 20 && std::abs(c.blue() - 180) < 20;
        }
    // 400 by 300 shown a few centimetres wide: hundreds of pixels at 40 dpi.
    EXPECT_GT(blue, 500);
}

// A set of choice questions, question N naming pictures[N - 1].
std::string writePictureSet(const test::TempFolder& folder, const std::string& name,
                            const std::vector<std::string>& pictures)
{
    auto set = std::make_unique<OpenSet>();
    const std::string path = folder.path(name);
    set->questionSlots[0] = DefaultQuestionRecord();
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::string title = "Question " + std::to_string(i + 1);
        set->questionSlots[i + 1] = WithQuestionMedia(question(0, title, {{"Text1", "Yes"}, {"Text2", "No"}}),
                                                      MediaKind::Picture, pictures[i], path);
    }
    EXPECT_TRUE(WriteStoredFile(path, PrepareSetFileText(*set, 0)));
    return path;
}

// The pictures a PDF draws taller than the marks: width, height and the
// object that holds each, in the order drawn.
std::vector<std::array<int, 3>> pdfPictures(const std::string& pdf)
{
    std::istringstream list(test::RunProgram("/usr/bin/pdfimages", {"-list", pdf}).out);
    std::string line;
    std::vector<std::array<int, 3>> pictures;
    while (std::getline(list, line)) {
        std::istringstream row(line);
        int page = 0;
        int num = 0;
        std::string type;
        int width = 0;
        int height = 0;
        std::string skip;
        int object = 0;
        if (!(row >> page >> num >> type >> width >> height))
            continue;
        for (int k = 0; k < 5; ++k)
            row >> skip;
        row >> object;
        if (type == "image" && height >= 300)
            pictures.push_back({width, height, object});
    }
    return pictures;
}

std::vector<QImage> pdfPageImages(const test::TempFolder& folder, const std::string& pdf)
{
    const std::string prefix = folder.path(ExtractFileName(pdf) + "-page");
    EXPECT_EQ(test::RunProgram("/usr/bin/pdftoppm", {"-png", "-r", "50", pdf, prefix}).status, 0);
    std::vector<QImage> pages;
    for (int n = 1; n <= pdfPages(pdf); ++n) {
        QImage page(QString::fromStdString(prefix + "-" + std::to_string(n) + ".png"));
        if (page.isNull())
            page = QImage(QString::fromStdString(prefix + "-0" + std::to_string(n) + ".png"));
        pages.push_back(page);
    }
    return pages;
}

// A large picture is decoded at the size it is printed (300 dots to the
// inch, never the file's thousands of pixels), and a file named by several
// questions is decoded once: the PDF holds it once and draws it each time,
// and the pages are those of a set naming a copy of it for each.
TEST_F(PaperTest, APictureIsDecodedOnceAtItsPrintedSize)
{
    const std::string wide = test::MakePicture(folder.path("wide.png"), 3000, 1500, "darkorange");
    std::vector<std::string> copies;
    for (const char* name : {"copy1.png", "copy2.png", "copy3.png"}) {
        copies.push_back(folder.path(name));
        ASSERT_TRUE(QFile::copy(QString::fromStdString(wide), QString::fromStdString(copies.back())));
    }
    const std::string shared = writePictureSet(folder, "Shared.vtd", {wide, copies[0], wide});
    const std::string separate = writePictureSet(folder, "Separate.vtd", copies);
    const std::string sharedPdf = folder.path("shared.pdf");
    const std::string separatePdf = folder.path("separate.pdf");
    ASSERT_EQ(test::RunProgram(DORVEL_CLI, {"paper", shared, sharedPdf, "--paper", "a4"}).status, 0);
    ASSERT_EQ(test::RunProgram(DORVEL_CLI, {"paper", separate, separatePdf, "--paper", "a4"}).status, 0);

    const auto pictures = pdfPictures(sharedPdf);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0][2], pictures[2][2]) << "the file named twice is held once";
    EXPECT_NE(pictures[0][2], pictures[1][2]);
    for (const auto& [width, height, object] : pictures) {
        // 60 % of A4's printed width less the number's column: about 9.8 cm.
        EXPECT_GE(width, 1000);
        EXPECT_LE(width, 1200);
        EXPECT_NEAR(height * 2, width, width / 100) << "proportions kept";
    }
    const std::vector<QImage> a = pdfPageImages(folder, sharedPdf);
    const std::vector<QImage> b = pdfPageImages(folder, separatePdf);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        ASSERT_FALSE(a[k].isNull());
        EXPECT_TRUE(a[k] == b[k]) << "page " << k + 1;
    }
}

// A word on a page, in points from the top left, as pdftotext -bbox gives it.
struct Word {
    std::string text;
    QRectF box;
};

std::vector<Word> pdfWords(const std::string& pdf, int page)
{
    const std::string html = test::RunProgram("/usr/bin/pdftotext", {"-bbox", "-enc", "UTF-8", "-f", std::to_string(page), "-l", std::to_string(page), pdf, "-"}).out;
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<Word> out;
    for (const QRegularExpressionMatch& m : word.globalMatch(QString::fromStdString(html))) {
        const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF to(m.captured(3).toDouble(), m.captured(4).toDouble());
        out.push_back({m.captured(5).toStdString(), QRectF(from, to)});
    }
    return out;
}

// The boxes inside an area of the page (in points), top to bottom: each
// ticked when its inside, clear of the frame, holds ink. Boxes are told by
// their square ink; other marks are passed over.
std::vector<bool> ticksIn(const QImage& page, double dpi, const QRectF& area)
{
    const QRect px = QRectF(area.topLeft() * dpi / 72, area.bottomRight() * dpi / 72).toAlignedRect() & page.rect();
    const auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 160; };
    std::vector<bool> ticks;
    int y = px.top();
    while (y <= px.bottom()) {
        const auto rowHasInk = [&](int row) {
            for (int x = px.left(); x <= px.right(); ++x)
                if (dark(x, row))
                    return true;
            return false;
        };
        if (!rowHasInk(y)) {
            ++y;
            continue;
        }
        QRect ink;
        for (; y <= px.bottom() && rowHasInk(y); ++y)
            for (int x = px.left(); x <= px.right(); ++x)
                if (dark(x, y))
                    ink |= QRect(x, y, 1, 1);
        if (std::abs(ink.width() - ink.height()) > 3)
            continue;  // not a box: a writing line, a letter
        const QRect inside = ink.adjusted(ink.width() / 4, ink.height() / 4, -ink.width() / 4, -ink.height() / 4);
        int inked = 0;
        for (int iy = inside.top(); iy <= inside.bottom(); ++iy)
            for (int ix = inside.left(); ix <= inside.right(); ++ix)
                inked += dark(ix, iy);
        ticks.push_back(inked > inside.width() * inside.height() / 20);
    }
    return ticks;
}

// Which box the key ticks, read from the printed page: each choice's box,
// and both boxes of every true/false statement. The test itself ticks none.
TEST_F(PaperTest, TheKeyTicksTheRightBoxes)
{
    for (const bool key : {false, true}) {
        SCOPED_TRACE(key ? "key" : "test");
        const std::string pdf = folder.path(key ? "key.pdf" : "test.pdf");
        std::vector<std::string> args = {"paper", set, pdf, "--paper", "a4"};
        if (key)
            args.push_back("--key");
        ASSERT_EQ(test::RunProgram(DORVEL_CLI, args).status, 0);
        constexpr double kDpi = 150;
        const std::string png = folder.path(key ? "key-page" : "test-page");
        ASSERT_EQ(test::RunProgram("/usr/bin/pdftoppm", {"-png", "-r", "150", "-f", "1", "-l", "1", "-singlefile", pdf, png}).status, 0);
        const QImage page(QString::fromStdString(png + ".png"));
        ASSERT_FALSE(page.isNull());
        const std::vector<Word> words = pdfWords(pdf, 1);
        const auto find = [&](const std::string& text) -> std::size_t {
            for (std::size_t i = 0; i < words.size(); ++i)
                if (words[i].text == text)
                    return i;
            ADD_FAILURE() << "no word " << text << " on the first page";
            return 0;
        };

        struct Choices {
            const char* first;  // the first choice's text (its letter is the word before)
            const char* last;
            std::vector<bool> ticked;
        };
        const Choices choices[] = {
            {"München", "Köln", {false, true, false}},  // SelectAnswer 1
            {"Blue", "Red", {true, false}},             // no SelectAnswer: the first
        };
        for (const Choices& c : choices) {
            SCOPED_TRACE(c.first);
            const QRectF first = words[find(c.first) - 1].box;  // "a)"
            const QRectF last = words[find(c.last) - 1].box;
            const QRectF column(first.left() - 25, first.top() - 6, 24.5, last.bottom() - first.top() + 12);
            EXPECT_EQ(ticksIn(page, kDpi, column), key ? c.ticked : std::vector<bool>(c.ticked.size(), false));
        }
        // The statements: the first true, the second false.
        struct Column {
            const char* heading;
            std::vector<bool> ticked;
        };
        for (const Column& c : {Column{"True", {true, false}}, Column{"False", {false, true}}}) {
            SCOPED_TRACE(c.heading);
            const QRectF heading = words[find(c.heading)].box;
            std::vector<bool> ticks = ticksIn(page, kDpi, QRectF(heading.left() - 3, heading.bottom() + 0.5, heading.width() + 6, 60));
            ASSERT_GE(ticks.size(), 2u);
            ticks.resize(2);
            EXPECT_EQ(ticks, key ? c.ticked : std::vector<bool>(2, false));
        }
    }
}

TEST_F(PaperTest, AMissingPictureIsReportedAndTheTestStillPrints)
{
    ASSERT_TRUE(QFile::remove(QString::fromStdString(picture)));
    const std::string pdf = folder.path("test.pdf");
    const test::ProgramRun run = test::RunProgram(DORVEL_CLI, {"paper", set, pdf});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(has(run.err, "blue.png")) << run.err;
    EXPECT_TRUE(has(pdfText(pdf), "What colour is the picture?"));
}

// Every picture the web test shows is printed, however its file is made;
// one that is not printed is named with the real reason, the one the web
// test's checks give.
TEST(PaperPictures, EachPictureIsPrintedOrTheRealReasonIsGiven)
{
    test::TempFolder folder;
    const auto magick = [&](const std::string& name, std::vector<std::string> args) {
        args.push_back(folder.path(name));
        const test::ProgramRun run = test::RunProgram("/usr/bin/convert", args);
        EXPECT_EQ(run.status, 0) << run.err;
        return folder.path(name);
    };
    std::string damaged;
    ReadFileBytes(test::MakePicture(folder.path("whole.png"), 300, 300, "navy"), damaged);
    struct Row {
        const char* what;
        std::string path;
        const char* why;  // nullptr: printed
    };
    const Row rows[] = {
        {"a line one pixel wide", magick("line.png", {"-size", "1x8000", "xc:navy"}), nullptr},
        {"16 bits a channel at the pixel limit", magick("deep.png", {"-size", "8000x8000", "-depth", "16", "gradient:navy-white"}), nullptr},
        {"16 bits a channel, grey and small", magick("grey.png", {"-size", "30x20", "-depth", "16", "gradient:black-white", "-colorspace", "Gray"}), nullptr},
        {"over the pixel limit", magick("wide.png", {"-size", "8001x1", "xc:navy"}), "It is larger than 8000 × 8000 pixels."},
        {"not there", folder.path("gone.png"), "It cannot be found or opened."},
        {"damaged after its header", folder.write("cut.png", damaged.substr(0, 60)), "It could not be read: the file may be damaged."},
        {"an SVG with a script", folder.write("s.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"9\" height=\"9\"><script>alert(1)</script></svg>"), "holds a script"},
    };
    auto set = std::make_unique<OpenSet>();
    set->testDetails = DefaultTestDetails();
    set->questionSlots[0] = DefaultQuestionRecord();
    const std::string setPath = folder.path("Pictures.vtd");
    for (std::size_t k = 0; k < std::size(rows); ++k)
        set->questionSlots[k + 1] = WithQuestionMedia(question(0, rows[k].what, {{"Text1", "Yes"}, {"Text2", "No"}}),
                                                      MediaKind::Picture, rows[k].path, setPath);
    ASSERT_TRUE(WriteStoredFile(setPath, PrepareSetFileText(*set, 0)));

    const std::string pdf = folder.path("test.pdf");
    const test::ProgramRun run = test::RunProgram(DORVEL_CLI, {"paper", setPath, pdf});
    ASSERT_EQ(run.status, 0) << run.err;
    int printed = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::size_t at = run.err.find("The picture " + row.path + " is not printed. ");
        if (!row.why) {
            ++printed;
            EXPECT_EQ(at, std::string::npos) << run.err;
            continue;
        }
        ASSERT_NE(at, std::string::npos) << run.err;
        EXPECT_NE(run.err.find(row.why, at), std::string::npos) << run.err;
    }
    // The pictures drawn, as pdfimages lists them (each line "page num type
    // width height ..."), the marks of boxes and writing lines left aside.
    std::vector<std::string> drawn;
    const QStringList lines = QString::fromStdString(test::RunProgram("/usr/bin/pdfimages", {"-list", pdf}).out).split(u'\n');
    for (const QString& line : lines) {
        const QStringList cells = line.simplified().split(u' ');
        if (cells.size() > 4 && cells[2] == u"image" && !(cells[3] == u"200" && cells[4] == u"200")
            && !(cells[3] == u"2000" && cells[4] == u"60"))
            drawn.push_back((cells[3] + u'x' + cells[4]).toStdString());
    }
    std::sort(drawn.begin(), drawn.end());
    // Decoded at most at the dots they are printed with (300 to the inch,
    // about 7 cm high), proportions kept, never below one; never larger
    // than the file.
    EXPECT_EQ(drawn, (std::vector<std::string>{"1x813", "30x20", "813x813"}));
    EXPECT_EQ(printed, 3);
}

// The five marks the web test renders in question texts are printed as such
// (never as the tags typed); anything else shows as typed, as on screen.
TEST(PaperMarks, TheMarksOfTheWebTestArePrintedAndOtherTagsShowAsTyped)
{
    test::TempFolder folder;
    auto set = std::make_unique<OpenSet>();
    set->testDetails = SetTag(DefaultTestDetails(), "TestName", EncodeText("Chemistry"));
    set->questionSlots[0] = DefaultQuestionRecord();
    set->questionSlots[1] = question(1, "H<sub>2</sub>O is <b>water</b>, x<sup>2</sup> <span>stays</span>",
                                     {{"Text1", "<i>grows</i>\nsecond line"}, {"Text2", "<u>falls</u> <b unclosed"}, {"SelectAnswer", "0"}});
    const std::string path = folder.path("marks.vtd");
    ASSERT_TRUE(WriteStoredFile(path, PrepareSetFileText(*set, 0)));
    const std::string pdf = folder.path("marks.pdf");
    const test::ProgramRun run = test::RunProgram(DORVEL_CLI, {"paper", path, pdf});
    ASSERT_EQ(run.status, 0) << run.err;

    const std::string text = pdfText(pdf);
    for (const char* part : {"water", "<span>stays</span>", "grows", "second line", "falls <b unclosed"})
        EXPECT_TRUE(has(text, part)) << part << "\n"
                                     << text;
    for (const char* tag : {"<b>", "<sub>", "</sub>", "<sup>", "<i>", "<u>"})
        EXPECT_FALSE(has(text, tag)) << tag << "\n"
                                     << text;
    // Italic is used by no other part of the page.
    EXPECT_TRUE(has(test::RunProgram("/usr/bin/pdffonts", {pdf}).out, "Italic"));
}

TEST_F(PaperTest, BadArgumentsAndUnwritableFilesFail)
{
    EXPECT_EQ(test::RunProgram(DORVEL_CLI, {"paper", set}).status, 2);
    EXPECT_EQ(test::RunProgram(DORVEL_CLI, {"paper", set, folder.path("x.pdf"), "--paper", "a3"}).status, 1);
    EXPECT_EQ(test::RunProgram(DORVEL_CLI, {"paper", folder.path("none.vtd"), folder.path("x.pdf")}).status, 1);
    const test::ProgramRun run = test::RunProgram(DORVEL_CLI, {"paper", set, folder.path("no/such/folder/x.pdf")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run.err, "cannot write")) << run.err;
}

}  // namespace
}  // namespace dorvel
