// A set whose questions name pictures and sounds, through the templates of
// every shipped style into the bank and the web test, by the command line
// on the installation the build lays out.
#include "archive/ZipReader.h"
#include "bank/BankReader.h"
#include "building/QuestionMediaExpansion.h"
#include "building/StyleNames.h"
#include "building/TemplateFilling.h"
#include "languages/LangStrings.h"
#include "media/QuestionMedia.h"
#include "model/DefaultRecords.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "player/PlayedTest.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"
#include "tests/support/PagesScript.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMedia.h"

#include <QFile>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace dorvel {
namespace {

using test::TempFolder;

struct Rect {
    int left, top, width, height;
    bool overlaps(const Rect& o) const
    {
        return left < o.left + o.width && o.left < left + width && top < o.top + o.height && o.top < top + height;
    }
};

Rect RectOf(const std::string& r, const char* l, const char* t, const char* w, const char* h)
{
    return {GetTagInt(r, l, 0), GetTagInt(r, t, 0), GetTagInt(r, w, 0), GetTagInt(r, h, 0)};
}

// Every record of `kind` in an expanded question.
std::vector<std::string> Records(std::string q, const std::string& kind)
{
    std::vector<std::string> out;
    for (std::string r = GetTag(q, kind); !r.empty(); r = GetTag(q, kind)) {
        out.push_back(r);
        q = RemoveTag(q, kind);
    }
    return out;
}

std::string QuestionPictureOf(const std::string& q)
{
    for (const std::string& p : Records(q, "vtPicture"))
        if (GetTag(p, "PictureName") == "QuestionPicture")
            return p;
    return {};
}

TEST(QuestionPicturePlace, ScalesDownKeepingProportionsAndCentres)
{
    const std::string place = "<vtPicture><PictureName>QuestionPicture</PictureName><PictureLeft>10</PictureLeft>"
                              "<PictureTop>20</PictureTop><PictureWidth>100</PictureWidth><PictureHeight>100</PictureHeight>"
                              "<withPicture>Text 1=0,5;Button 1=6,7</withPicture><soundButtonLeft>3</soundButtonLeft>"
                              "<soundButtonTop>4</soundButtonTop></vtPicture>";
    const std::string content = "<a>1</a>" + place + "<vtText><textName>Text 1</textName><textLeft>0</textLeft>"
                                                     "<textWidth>200</textWidth></vtText><vtText><textName>Title</textName></vtText>";
    struct Case {
        int width, height;
        Rect expected;
    };
    for (const Case& c : {Case{400, 200, {10, 45, 100, 50}}, Case{50, 300, {51, 20, 17, 100}},
                          Case{20, 10, {50, 65, 20, 10}}, Case{0, 0, {10, 20, 100, 100}}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const std::string q = PlaceQuestionMedia(content, {"/m/map.png", c.width, c.height, "", ""});
        const std::string p = QuestionPictureOf(q);
        const Rect r = RectOf(p, "PictureLeft", "PictureTop", "PictureWidth", "PictureHeight");
        EXPECT_EQ(std::tie(r.left, r.top, r.width, r.height),
                  std::tie(c.expected.left, c.expected.top, c.expected.width, c.expected.height));
        EXPECT_EQ(GetTag(p, "picFilePathAbs"), "/m/map.png");
        EXPECT_EQ(GetTag(p, "withPicture"), "") << "the page needs none of the place's own fields";
        const std::vector<std::string> texts = Records(q, "vtText");
        EXPECT_EQ(GetTag(texts[0], "textWidth"), "5");
        EXPECT_EQ(GetTag(texts[1], "textLeft"), "") << "elements the place does not name stay";
    }
    // Without a picture the place goes and nothing moves; a sound alone
    // brings its button.
    const std::string plain = PlaceQuestionMedia(content, {});
    EXPECT_EQ(plain, "<a>1</a><vtText><textName>Text 1</textName><textLeft>0</textLeft><textWidth>200</textWidth></vtText>"
                     "<vtText><textName>Title</textName></vtText>");
    const std::string withSound = PlaceQuestionMedia(content, {"", 0, 0, "/m/q.ogg", ""});
    EXPECT_EQ(GetTag(withSound, "questionAudioAbs"), "/m/q.ogg");
    EXPECT_EQ(GetTag(withSound, "soundButtonLeft"), "3");
    EXPECT_EQ(QuestionPictureOf(withSound), "");
}

// In every shipped style and question template, a picture of any shape
// stands clear of every text, button and field, inside the page.
TEST(QuestionPicturePlace, CoversNothingInAnyShippedStyle)
{
    SetInstallationFolder(DORVEL_BUILD_INSTALL_DIR);
    const std::vector<std::string> styles = StyleNames();
    SetInstallationFolder({});
    ASSERT_GE(styles.size(), 3u);
    for (const std::string& style : styles) {
        for (int type = 0; type <= 10; ++type) {
            const QuestionTemplate tmpl = TemplateForType(type);
            SCOPED_TRACE(style + "/" + tmpl.fileName());
            const std::string content = GetTag(ReadStoredFile(std::string(DORVEL_BUILD_INSTALL_DIR) + "/DorvelTemplates/"
                                                              + style + "/" + tmpl.fileName()),
                                               "vtQuestion");
            ASSERT_FALSE(content.empty());
            const std::string filled = FillQuestionTemplate(content, DefaultQuestionRecord(), tmpl);
            for (const auto& [w, h] : {std::pair{4000, 300}, std::pair{300, 4000}, std::pair{10, 10}}) {
                const std::string q = PlaceQuestionMedia(filled, {"/m/p.png", w, h, "/m/s.wav", ""});
                const std::string p = QuestionPictureOf(q);
                ASSERT_FALSE(p.empty());
                const Rect pic = RectOf(p, "PictureLeft", "PictureTop", "PictureWidth", "PictureHeight");
                EXPECT_GT(pic.width, 0);
                EXPECT_LE(pic.left + pic.width, GetTagInt(q, "bgWidth", 0));
                EXPECT_LE(pic.top + pic.height, GetTagInt(q, "bgHeight", 0));
                const Rect button{GetTagInt(q, "soundButtonLeft", 0), GetTagInt(q, "soundButtonTop", 0), 24, 24};
                std::vector<Rect> others;
                for (const std::string& t : Records(q, "vtText"))
                    others.push_back(RectOf(t, "textLeft", "textTop", "textWidth", "textHeight"));
                for (const std::string& f : Records(q, "vtField")) {
                    Rect field = RectOf(f, "FieldLeft", "FieldTop", "FieldWidth", "FieldHeight");
                    EXPECT_GE(field.width, 140) << "a field narrowed beyond use";
                    // Drawn as wide as its size in characters (up to 9 pixels
                    // each), its tick 30 pixels past its end.
                    field.width = std::max(field.width + 30, field.width * 5 / 36 * 9);
                    others.push_back(field);
                }
                for (const std::string& t : Records(q, "vtText"))
                    EXPECT_GE(GetTagInt(t, "textWidth", 0), 150) << "a text narrowed beyond use";
                for (const std::string& b : Records(q, "vtButton"))
                    others.push_back(RectOf(b, "buttonLeft", "buttonTop", "buttonWidth", "buttonHeight"));
                for (const Rect& o : others) {
                    EXPECT_FALSE(pic.overlaps(o)) << o.left << "," << o.top << " " << o.width << "x" << o.height;
                    EXPECT_FALSE(button.overlaps(o)) << o.left << "," << o.top;
                }
                const double shown = double(pic.width) / pic.height;
                EXPECT_NEAR(shown, double(w) / h, double(w) / h * 0.05 + 1.0 / pic.height) << "proportions kept";
            }
        }
    }
}

// The first question's picture is described with text that would be markup
// if it were not escaped; the page's alt attribute holds it as text.
constexpr const char* kDescription = "Karte: \"Donau\" & Rhein\"><img src=x onerror=alert(1)></script> \xE2\x80\x93 Flu\xC3\x9F";
constexpr const char* kDescriptionAlt
    = "alt=\"Karte: &quot;Donau&quot; &amp; Rhein&quot;&gt;&lt;img src=x onerror=alert(1)&gt;&lt;/script&gt; &#8211; Flu&#223;\"";

class QuestionMediaBuild : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForceDirectory(dir.path("Lesson/Bilder und Töne"));
        map = test::MakePicture(dir.path("Lesson/Bilder und Töne/Karte der Flüsse.png"), 640, 320);
        river = test::MakePicture(dir.path("Lesson/Bilder und Töne/Fluss.jpg"), 200, 300, "sienna");
        sound = test::MakeSound(dir.path("Lesson/Bilder und Töne/Frage eins.wav"));
        // Another file of the same name in another folder: the web test
        // must keep both.
        ForceDirectory(dir.path("Lesson/andere"));
        otherMap = test::MakePicture(dir.path("Lesson/andere/Karte der Flüsse.png"), 100, 100, "gold");

        OpenSet set;
        set.testDetails = SetTag(DefaultTestDetails(), "GraphicStyle", "Seaside");
        set.questionSlots[0] = DefaultQuestionRecord();
        const std::string setPath = dir.path("Lesson/Rivers.vtd");
        auto q = [&](int type, const std::string& title) {
            return SetTag(SetTag(DefaultQuestionRecord(), "qType", std::to_string(type)), "Title", title);
        };
        set.questionSlots[1] = WithQuestionPictureDescription(
            WithQuestionMedia(q(2, "Which river?"), MediaKind::Picture, map, setPath), kDescription);
        set.questionSlots[2] = WithQuestionMedia(
            WithQuestionMedia(q(4, "Listen"), MediaKind::Picture, map, setPath), MediaKind::Sound, sound, setPath);
        set.questionSlots[3] = WithQuestionMedia(q(8, "Gone"), MediaKind::Picture, dir.path("Lesson/fehlt.png"), setPath);
        set.questionSlots[4] = WithQuestionMedia(q(0, "Changed"), MediaKind::Picture, river, setPath);
        set.questionSlots[5] = WithQuestionMedia(q(1, "Other map"), MediaKind::Picture, otherMap, setPath);
        set.questionSlots[6] = q(9, "Plain");
        ASSERT_TRUE(WriteStoredFile(setPath, PrepareSetFileText(set, 0)));
    }

    test::ProgramRun cli(const std::vector<std::string>& args)
    {
        return test::RunProgram(std::string(DORVEL_BUILD_INSTALL_DIR) + "/dorvel-cli", args);
    }

    TempFolder dir;
    std::string map, river, sound, otherMap;
};

TEST_F(QuestionMediaBuild, TheBankHoldsEachFileOnceAndNamesWhatIsMissing)
{
    // The river picture changes after it was chosen: no longer a JPEG.
    ASSERT_TRUE(WriteFileBytes(river, "overwritten by a text file"));
    const test::ProgramRun run = cli({"build", dir.path("Lesson/Rivers.vtd"), dir.path("Rivers.vtb")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find(dir.path("Lesson/fehlt.png") + " (question 3)"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(river + " (question 4: Its contents are not those of its kind"), std::string::npos) << run.err;

    BankReader bank;
    ASSERT_TRUE(bank.open(dir.path("Rivers.vtb"))) << bank.error();
    for (const std::string& path : {map, sound, otherMap}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(std::count_if(bank.files().begin(), bank.files().end(),
                                [&](const BankFileEntry& e) { return e.name == path; }),
                  1);
        std::string stored, original;
        ASSERT_TRUE(bank.find(path).has_value());
        ASSERT_TRUE(bank.readData(*bank.find(path), stored));
        ASSERT_TRUE(ReadFileBytes(path, original));
        EXPECT_TRUE(stored == original) << "byte for byte";
    }
    EXPECT_FALSE(bank.find(river).has_value());

    const std::vector<std::string> questions = BankReader::NumberedRecords(bank.questionFileList());
    ASSERT_EQ(questions.size(), 6u);
    EXPECT_EQ(GetTag(QuestionPictureOf(questions[0]), "picFilePathAbs"), map);
    // The player reads the description from the question file's picture.
    const std::string described = GetTag(QuestionPictureOf(questions[0]), "PictureDescription");
    EXPECT_EQ(described.find_first_of("<>"), std::string::npos) << described;
    EXPECT_EQ(DecodeText(described), kDescription);
    EXPECT_EQ(GetTag(QuestionPictureOf(questions[4]), "PictureDescription"), "");
    EXPECT_EQ(GetTag(questions[1], "questionAudioAbs"), sound);
    for (int n : {2, 3, 5})
        EXPECT_EQ(QuestionPictureOf(questions[static_cast<std::size_t>(n)]), "") << "question " << n + 1;
}

// The question picture's <img> tag on a page.
std::string PictureTag(const std::string& html)
{
    const std::size_t at = html.find("name=\"qpicture\"");
    if (at == std::string::npos)
        return {};
    const std::size_t start = html.rfind("<img ", at);
    return html.substr(start, html.find('>', at) + 1 - start);
}

// Each question's page names a file in the test folder holding that
// question's own picture, and says what the author wrote it shows (nothing
// for the picture without a description).
void ExpectOwnPictures(const std::string& folder, const std::string& map, const std::string& otherMap)
{
    for (const auto& [page, original, alt] :
         {std::tuple{"q0.htm", map, kDescriptionAlt}, std::tuple{"q4.htm", otherMap, "alt=\"\""}}) {
        SCOPED_TRACE(page);
        const std::string html = test::PageText(folder, page);
        const std::size_t at = html.find("name=\"qpicture\"");
        ASSERT_NE(at, std::string::npos);
        EXPECT_NE(PictureTag(html).find(alt), std::string::npos) << PictureTag(html);
        EXPECT_EQ(html.find("<img src=x"), std::string::npos);
        const std::size_t src = html.rfind("<img src=\"", at);
        const std::string address = html.substr(src + 10, html.find('"', src + 10) - src - 10);
        const std::string name = QUrl::fromPercentEncoding(QByteArray::fromStdString(address)).toStdString();
        std::string copied, expected;
        ASSERT_TRUE(ReadFileBytes(folder + name, copied)) << name;
        ASSERT_TRUE(ReadFileBytes(original, expected));
        EXPECT_TRUE(copied == expected) << name;
    }
}

TEST_F(QuestionMediaBuild, TheWebTestThePackageAndThePlayerShowEachQuestionsOwnPictureAndDescription)
{
    ForceDirectory(dir.path("web"));
    const test::ProgramRun run = cli({"export", dir.path("Lesson/Rivers.vtd"), dir.path("web/Rivers.htm"), "--layout", "classic"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string folder = dir.path("web/Riversres/");
    ExpectOwnPictures(folder, map, otherMap);

    ASSERT_EQ(cli({"build", dir.path("Lesson/Rivers.vtd"), dir.path("Rivers.vtb")}).status, 0);
    ForceDirectory(dir.path("played"));
    LangStrings lang;
    SetInstallationFolder(DORVEL_BUILD_INSTALL_DIR);
    const PlayedTest played = WritePlayedTest(dir.path("Rivers.vtb"), dir.path("played"), lang, "", 1);
    SetInstallationFolder({});
    ASSERT_TRUE(played.ok()) << played.error;
    ExpectOwnPictures(dir.path("played/Testres/"), map, otherMap);

    // The package for a learning platform carries the same pages.
    ASSERT_EQ(cli({"export", dir.path("Lesson/Rivers.vtd"), dir.path("Rivers.zip"), "--scorm", "2004", "--layout", "classic"}).status, 0);
    const ZipReader zip(dir.path("Rivers.zip"));
    ASSERT_TRUE(zip.isOpen());
    const std::optional<std::string> script = zip.read("pages.js");
    ASSERT_TRUE(script.has_value());
    EXPECT_NE(PictureTag(test::ReadPagesScript(*script)["q0.htm"]).find(kDescriptionAlt), std::string::npos);

    const std::string listening = test::PageText(folder, "q1.htm");
    EXPECT_NE(listening.find("<audio src=\"Frage%20eins.wav\" autoplay"), std::string::npos);
    EXPECT_NE(listening.find("id=\"qsound\""), std::string::npos);
}

// `dorvel-cli media` describes a picture as the editor's box does, in any
// order of its options, and refuses what the editor would not do.
TEST_F(QuestionMediaBuild, TheCommandLineDescribesAQuestionsPicture)
{
    const std::string set = dir.path("Lesson/Rivers.vtd");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"media", set, "1"}, 0, "description: Karte: \"Donau\""},
        {{"media", set, "6", "--description", "Map"}, 1, "question 6 has no picture to describe"},
        {{"media", set, "1", "--description"}, 2, "usage"},
        {{"media", set, "6", "--description", "Der Rhein", "--picture", river}, 0, "description: Der Rhein\n"},
        {{"media", set, "6", "--description", ""}, 0, "description: none\n"},
        {{"media", set, "1", "--no-picture"}, 0, "description: none\n"},
    };
    for (const Case& c : cases) {
        const test::ProgramRun run = cli(c.args);
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE((c.status == 0 ? run.out : run.err).find(c.says), std::string::npos) << run.out << run.err;
    }
    OpenSet read;
    ASSERT_EQ(ReadSetFile(set, read), SetFileStatus::Ok);
    EXPECT_EQ(read.questionSlots[1].find(kQuestionPictureDescriptionField), std::string::npos);
    EXPECT_EQ(NamedQuestionMedia(read.questionSlots[6], MediaKind::Picture), river);
}

}  // namespace
}  // namespace dorvel
