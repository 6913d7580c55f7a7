// What a file must be to become a question's picture or sound: real files
// from ImageMagick and SoX, and hand-made headers where a tool cannot make
// the case (a camera's JPEG, a huge picture's header).
#include "media/MediaCheck.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace dorvel {
namespace {

using test::TempFolder;

TEST(QuestionMediaCheck, TakesTheKindsBrowsersShowAndReadsTheirSize)
{
    TempFolder dir;
    struct Case {
        std::string path;
        MediaKind kind;
        int width;
        int height;
    };
    const std::string svg = dir.write("Plan.svg",
                                      "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- drawn by hand -->\n"
                                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"120px\" height=\"80\"><rect width=\"5\"/></svg>");
    const std::string viewBox = dir.write("box.SVG", "<svg viewBox=\"0 0 300 150\" xmlns=\"http://www.w3.org/2000/svg\"/>");
    const std::string noSize = dir.write("free.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"></svg>");
    // A camera's JPEG: an Exif block before the frame header.
    std::string exif = std::string("\xFF\xD8\xFF\xE1\x00\x10", 6) + "Exif" + std::string(10, '\0');
    exif += std::string("\xFF\xC0\x00\x11\x08\x00\xC8\x01\x2C\x03", 10) + std::string(9, '\x01') + "\xFF\xD9";
    const std::string mp3 = dir.write("tag.mp3", std::string("ID3\x04\x00\x00\x00\x00\x00\x00", 10) + "\xFF\xFB\x90\x64");
    const Case cases[] = {
        {test::MakePicture(dir.path("a.png"), 300, 200), MediaKind::Picture, 300, 200},
        {test::MakePicture(dir.path("b.jpg"), 301, 199), MediaKind::Picture, 301, 199},
        {test::MakePicture(dir.path("c.JPEG"), 40, 30), MediaKind::Picture, 40, 30},
        {test::MakePicture(dir.path("d.gif"), 17, 9), MediaKind::Picture, 17, 9},
        {test::MakePicture(dir.path("e.webp"), 64, 48), MediaKind::Picture, 64, 48},
        {dir.write("camera.jpg", exif), MediaKind::Picture, 300, 200},
        {svg, MediaKind::Picture, 120, 80},
        {viewBox, MediaKind::Picture, 300, 150},
        {noSize, MediaKind::Picture, 0, 0},
        {test::MakeSound(dir.path("f.wav")), MediaKind::Sound, 0, 0},
        {test::MakeSound(dir.path("g.ogg")), MediaKind::Sound, 0, 0},
        {mp3, MediaKind::Sound, 0, 0},
        // MP3 without a tag: straight away a frame of MPEG 1, 2 or 2.5.
        {dir.write("bare1.mp3", std::string("\xFF\xFB\x90\x64", 4) + std::string(64, '\0')), MediaKind::Sound, 0, 0},
        {dir.write("bare2.mp3", std::string("\xFF\xF3\x48\xC4", 4) + std::string(64, '\0')), MediaKind::Sound, 0, 0},
        {dir.write("bare25.mp3", std::string("\xFF\xE3\x18\xC4", 4) + std::string(64, '\0')), MediaKind::Sound, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const MediaCheck check = CheckQuestionMedia(c.path, c.kind);
        EXPECT_EQ(check.verdict, MediaVerdict::Ok);
        EXPECT_EQ(check.width, c.width);
        EXPECT_EQ(check.height, c.height);
    }
    // A lossless WebP keeps its size in another header.
    const test::ProgramRun run = test::RunProgram("/usr/bin/convert",
                                                  {"-size", "33x21", "xc:red", "-define", "webp:lossless=true", dir.path("l.webp")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(CheckQuestionMedia(dir.path("l.webp"), MediaKind::Picture).width, 33);
    EXPECT_EQ(CheckQuestionMedia(dir.path("l.webp"), MediaKind::Picture).height, 21);
}

TEST(QuestionMediaCheck, RefusesWhatIsNoUsablePictureOrSound)
{
    TempFolder dir;
    const std::string png = test::MakePicture(dir.path("real.png"), 20, 20);
    QFile::copy(QString::fromStdString(png), QString::fromStdString(dir.path("renamed.jpg")));
    const std::string wav = test::MakeSound(dir.path("real.wav"));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(dir.path("folder.png"))));
    ASSERT_EQ(mkfifo(dir.path("pipe.png").c_str(), 0600), 0);
    // Headers of pictures too large to make here: 9000 pixels high.
    std::string tall = std::string("\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR", 16);
    tall += std::string("\x00\x00\x00\x10\x00\x00\x23\x28", 8);
    std::string gif = "GIF89a";
    gif += std::string("\x41\x1F\x01\x00", 4);  // 8001 wide, 1 high

    struct Case {
        std::string path;
        MediaKind kind;
        MediaVerdict verdict;
    };
    const Case cases[] = {
        {dir.path("renamed.jpg"), MediaKind::Picture, MediaVerdict::WrongContent},
        {dir.write("notes.png", "just some text"), MediaKind::Picture, MediaVerdict::WrongContent},
        {dir.write("cut.png", "\x89PNG\r\n\x1A\n"), MediaKind::Picture, MediaVerdict::WrongContent},
        {dir.write("old.bmp", "BM...."), MediaKind::Picture, MediaVerdict::UnknownKind},
        {png, MediaKind::Sound, MediaVerdict::UnknownKind},
        {wav, MediaKind::Picture, MediaVerdict::UnknownKind},
        {dir.write("x.wav", "RIFF....AVI "), MediaKind::Sound, MediaVerdict::WrongContent},
        {dir.write("x.mp3", std::string("\xFF\x1F\x90\x64", 4) + "no frame"), MediaKind::Sound, MediaVerdict::WrongContent},
        {dir.write("x.ogg", "OggX is no Ogg"), MediaKind::Sound, MediaVerdict::WrongContent},
        {dir.path("missing.png"), MediaKind::Picture, MediaVerdict::Missing},
        {dir.path("folder.png"), MediaKind::Picture, MediaVerdict::NotAFile},
        {dir.path("pipe.png"), MediaKind::Picture, MediaVerdict::NotAFile},
        {dir.write("tall.png", tall), MediaKind::Picture, MediaVerdict::TooManyPixels},
        {dir.write("wide.gif", gif), MediaKind::Picture, MediaVerdict::TooManyPixels},
        {dir.write("a<b>.png", tall), MediaKind::Picture, MediaVerdict::UnsafeName},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckQuestionMedia(c.path, c.kind).verdict, c.verdict) << c.path;

    // The limits themselves: 8000 pixels and 20 MB are still taken.
    EXPECT_TRUE(CheckQuestionMedia(test::MakePicture(dir.path("edge.png"), 8000, 1), MediaKind::Picture).ok());
    EXPECT_EQ(CheckQuestionMedia(test::MakePicture(dir.path("over.png"), 1, 8001), MediaKind::Picture).verdict,
              MediaVerdict::TooManyPixels);
    for (const auto& [size, verdict] : {std::pair{kMaxPictureBytes, MediaVerdict::Ok},
                                        std::pair{kMaxPictureBytes + 1, MediaVerdict::TooLarge}}) {
        QFile big(QString::fromStdString(dir.path("big.png")));
        QFile::remove(big.fileName());
        QFile::copy(QString::fromStdString(png), big.fileName());
        ASSERT_TRUE(big.resize(size));  // sparse: the header stays, the rest is zeros
        EXPECT_EQ(CheckQuestionMedia(big.fileName().toStdString(), MediaKind::Picture).verdict, verdict) << size;
    }
    // Sounds have no size limit: a long listening exercise is large.
    QFile longWav(QString::fromStdString(wav));
    ASSERT_TRUE(longWav.resize(kMaxPictureBytes * 2));
    EXPECT_TRUE(CheckQuestionMedia(wav, MediaKind::Sound).ok());
}

// An SVG is a document a browser runs when it is opened by its own address:
// one that holds more than a picture is refused whatever shape that takes;
// what drawing programs write (styles, gradients, references inside the
// picture, a raster picture carried in it) is kept.
TEST(QuestionMediaCheck, AnSvgIsTakenOnlyAsAPicture)
{
    const std::string open = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                             "width=\"100\" height=\"50\">";
    const std::string dot = "data:image/png;base64,iVBORw0KGgo=";
    const std::string clean = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- Inkscape -->\n"
                              "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                              "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" width=\"100\" height=\"50\">"
                              "<style>.a { fill: url(#g); stroke: url('#g') } @media print { .a { opacity: 1 } }</style>"
                              "<defs><linearGradient id=\"g\"><stop offset=\"0\" stop-color=\"#fff\"/></linearGradient>"
                              "<clipPath id=\"c\"><rect width=\"9\" height=\"9\"/></clipPath></defs>"
                              "<g inkscape:label=\"Layer 1\" clip-path=\"url(#c)\" style=\"fill:url( #g );opacity:.5\">"
                              "<rect class=\"a\" width=\"10\" height=\"10\" fill=\"url(#g)\"/><use href=\"#c\"/>"
                              "<use xlink:href=\"#c\"/><a href=\"#top\"><text>on top, javascript and url(x) as text</text></a>"
                              "<image width=\"1\" height=\"1\" xlink:href=\""
        + dot + "\"/><animate attributeName=\"opacity\" from=\"0\" to=\"1\" dur=\"1s\"/></g></svg>";
    const auto inside = [&](const std::string& body) { return open + body + "</svg>"; };
    struct Case {
        const char* what;
        std::string svg;
        MediaVerdict verdict;
    };
    const Case cases[] = {
        {"drawing program's picture", clean, MediaVerdict::Ok},
        {"script element", inside("<script>alert(1)</script>"), MediaVerdict::SvgScript},
        {"script in another case and CDATA", inside("<SCRIPT><![CDATA[alert(1)]]></SCRIPT>"), MediaVerdict::SvgScript},
        {"script from a file", inside("<script href=\"#x\"/>"), MediaVerdict::SvgScript},
        {"onload on the root", "<svg xmlns=\"http://www.w3.org/2000/svg\" onload=\"alert(1)\"/>", MediaVerdict::SvgScript},
        {"event attribute in capitals", inside("<rect ONCLICK=\"alert(1)\"/>"), MediaVerdict::SvgScript},
        {"javascript link", inside("<a href=\"javascript:alert(1)\"><rect/></a>"), MediaVerdict::SvgScript},
        {"javascript link spelt with entities and a tab", inside("<a xlink:href=\" &#106;ava&#9;script:alert(1)\"/>"), MediaVerdict::SvgScript},
        {"animation that sets a link", inside("<a><set attributeName=\"href\" to=\"javascript:alert(1)\"/></a>"), MediaVerdict::SvgScript},
        {"animation that sets an event", inside("<set attributeName=\"onmouseover\" to=\"alert(1)\"/>"), MediaVerdict::SvgScript},
        {"animation that sets a link by its prefix", inside("<a><animate attributeName=\"xlink:href\" values=\"#a;#b\"/></a>"), MediaVerdict::SvgScript},
        {"Tiny's handler", inside("<handler type=\"application/ecmascript\">alert(1)</handler>"), MediaVerdict::SvgScript},
        {"XHTML script", inside("<h:script xmlns:h=\"http://www.w3.org/1999/xhtml\">alert(1)</h:script>"), MediaVerdict::SvgScript},
        {"XHTML iframe", inside("<h:iframe xmlns:h=\"http://www.w3.org/1999/xhtml\" src=\"x.htm\"/>"), MediaVerdict::SvgExternal},
        {"foreignObject", inside("<foreignObject width=\"9\" height=\"9\"><div>x</div></foreignObject>"), MediaVerdict::SvgExternal},
        {"link to a page", inside("<a href=\"https://example.org/\"><rect/></a>"), MediaVerdict::SvgExternal},
        {"picture from elsewhere", inside("<image xlink:href=\"/etc/passwd\"/>"), MediaVerdict::SvgExternal},
        {"part of another file", inside("<use href=\"other.svg#a\"/>"), MediaVerdict::SvgExternal},
        {"an SVG carried as data", inside("<image href=\"data:image/svg+xml,&lt;svg/&gt;\"/>"), MediaVerdict::SvgExternal},
        {"fill from another file", inside("<rect fill=\"url(http://example.org/p.svg#g)\"/>"), MediaVerdict::SvgExternal},
        {"style attribute fetching", inside("<rect style=\"filter:url('f.svg#x')\"/>"), MediaVerdict::SvgExternal},
        {"style sheet importing", inside("<style>@import url(#x); rect{fill:red}</style>"), MediaVerdict::SvgExternal},
        {"style sheet importing by escape", inside("<style>@\\69mport 'x.css';</style>"), MediaVerdict::SvgExternal},
        {"style sheet fetching a font", inside("<style><![CDATA[@font-face{src:url(\"https://example.org/f.woff\")}]]></style>"), MediaVerdict::SvgExternal},
        {"linked style sheet", "<?xml-stylesheet href=\"https://example.org/a.css\"?>" + inside("<rect/>"), MediaVerdict::SvgExternal},
        {"a base elsewhere", inside("<g xml:base=\"https://example.org/\"><use href=\"#a\"/></g>"), MediaVerdict::SvgExternal},
        {"document type", "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" \"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">" + inside(""), MediaVerdict::SvgDocumentType},
        {"entity declared", "<!DOCTYPE svg [<!ENTITY x \"alert(1)\">]>" + inside("<text>&x;</text>"), MediaVerdict::SvgDocumentType},
        {"not well-formed", open + "<rect></svg>", MediaVerdict::WrongContent},
        {"an undeclared prefix", "<svg xmlns=\"http://www.w3.org/2000/svg\"><use xlink:href=\"#a\"/></svg>", MediaVerdict::WrongContent},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckMediaBytes("p.svg", MediaKind::Picture, c.svg).verdict, c.verdict) << c.what << "\n"
                                                                                          << c.svg;

    // A file is read whole: a script after the first half megabyte is found.
    TempFolder dir;
    const std::string padded = inside("<desc>" + std::string(600 * 1024, 'x') + "</desc><script>alert(1)</script>");
    EXPECT_EQ(CheckQuestionMedia(dir.write("long.svg", padded), MediaKind::Picture).verdict, MediaVerdict::SvgScript);
    EXPECT_TRUE(CheckQuestionMedia(dir.write("clean.svg", clean), MediaKind::Picture).ok());
}

}  // namespace
}  // namespace dorvel
