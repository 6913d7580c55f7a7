// Checks the data folders the build lays out beside the executables: the
// graphic styles (templates, their pictures and sounds, the preview) and the
// web test's buttons. Expansion, the bank and the web pages rely on what is
// checked here; a broken template only shows up there as a missing element.
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dorvel::GetTag;
using dorvel::GetTagInt;
using dorvel::ReadStoredFile;
using dorvel::RemoveTag;

const std::string kInstall = DORVEL_BUILD_INSTALL_DIR;

std::string readBytes(const std::string& path)
{
    std::string bytes;
    dorvel::ReadFileBytes(path, bytes);
    return bytes;
}

// Every record of one kind, in file order, taken out the way the readers do.
std::vector<std::string> records(std::string text, const std::string& name)
{
    std::vector<std::string> out;
    for (std::string r = GetTag(text, name); !r.empty(); r = GetTag(text, name)) {
        out.push_back(r);
        text = RemoveTag(text, name);
    }
    return out;
}

struct Size {
    int width = -1;
    int height = -1;
    bool operator==(const Size&) const = default;
};

void PrintTo(const Size& s, std::ostream* os)
{
    *os << s.width << "x" << s.height;
}

// The logical screen of a GIF, or -1 x -1 for anything that is not one.
Size gifSize(const std::string& bytes)
{
    if (bytes.size() < 10 || bytes.compare(0, 4, "GIF8") != 0)
        return {};
    auto u16 = [&](std::size_t at) {
        return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    return {u16(6), u16(8)};
}

// True when a graphic control extension marks a transparent colour.
bool gifHasTransparency(const std::string& bytes)
{
    const std::string gce("\x21\xF9\x04", 3);
    for (std::size_t at = bytes.find(gce); at != std::string::npos; at = bytes.find(gce, at + 1)) {
        if (at + 3 < bytes.size() && (static_cast<unsigned char>(bytes[at + 3]) & 1))
            return true;
    }
    return false;
}

// Whether a media file starts with the signature its extension promises.
bool hasSignature(const std::string& path)
{
    const std::string bytes = readBytes(path);
    const std::string ext = fs::path(path).extension().string();
    if (ext == ".gif")
        return bytes.compare(0, 4, "GIF8") == 0;
    if (ext == ".jpg" || ext == ".jpeg")
        return bytes.compare(0, 2, "\xFF\xD8") == 0;
    if (ext == ".wav")
        return bytes.compare(0, 4, "RIFF") == 0 && bytes.compare(8, 4, "WAVE") == 0;
    if (ext == ".png")
        return bytes.compare(0, 4, "\x89PNG") == 0;
    return false;
}

std::vector<std::string> styleNames()
{
    std::vector<std::string> names;
    const fs::path root = fs::path(kInstall) / "DorvelTemplates";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && name.size() > 3)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string styleFolder(const std::string& style)
{
    return kInstall + "/DorvelTemplates/" + style + "/";
}

// The value of a template's first vtQuestion, as the expansion reads it.
std::string question(const std::string& style, const std::string& file)
{
    return GetTag(ReadStoredFile(styleFolder(style) + file), "vtQuestion");
}

struct TemplateKind {
    const char* file;
    char family;  // 'm' choice buttons, 't' true/false buttons, 'x' fields, 'p' pre-test
    int count;
};

const TemplateKind kTemplates[] = {
    {"pretest.vtq", 'p', 0},
    {"mc2.vtq", 'm', 2},
    {"mc3.vtq", 'm', 3},
    {"mc4.vtq", 'm', 4},
    {"tf1.vtq", 't', 1},
    {"tf2.vtq", 't', 2},
    {"tf3.vtq", 't', 3},
    {"tf4.vtq", 't', 4},
    {"tx1.vtq", 'x', 1},
    {"tx2.vtq", 'x', 2},
    {"tx3.vtq", 'x', 3},
    {"tx4.vtq", 'x', 4},
};

// Page size of a size class; the browser shows about 25 pixels less than the
// page height (the frame is lower than the page).
Size pageSize(int windowSize)
{
    if (windowSize == 1)
        return {800, 554};
    if (windowSize == 2)
        return {1024, 722};
    return {640, 434};
}

// Media references: absolute field, relative field, by record kind.
struct MediaField {
    const char* abs;
    const char* rel;
};
const MediaField kQuestionMedia[] = {
    {"tickFileAbs", "tickFileRel"},
    {"crossFileAbs", "crossFileRel"},
    {"questionAudioAbs", "questionAudioRel"},
};
const MediaField kChoiceMedia[] = {{"s1", "s1r"}, {"s2", "s2r"}, {"s3", "s3r"}, {"ButtonSound1", "ButtonSound1Rel"}};
const MediaField kTrueFalseMedia[] = {
    {"tf1", "tf1r"},
    {"tf2", "tf2r"},
    {"tf3", "tf3r"},
    {"tf4", "tf4r"},
    {"tf5", "tf5r"},
    {"tf6", "tf6r"},
    {"tf7", "tf7r"},
    {"ButtonSound2", "ButtonSound2Rel"},
    {"ButtonSound3", "ButtonSound3Rel"},
};
const MediaField kPictureMedia[] = {
    {"picFilePathAbs", "picFilePathRel"},
    {"picOverFilePathAbs", "picOverFilePathRel"},
    {"picDownFilePathAbs", "picDownFilePathRel"},
    {"picAudioAbs", "picAudioRel"},
};

// A reference names a file unless its absolute field is "0"; that file must
// be found through the relative path in the style folder, so the absolute
// field must not name an existing file elsewhere.
template <std::size_t N>
void expectMedia(const std::string& style, const std::string& record, const MediaField (&fields)[N])
{
    for (const MediaField& f : fields) {
        SCOPED_TRACE(f.rel);
        const std::string abs = GetTag(record, f.abs);
        if (abs == "0")
            continue;
        EXPECT_FALSE(abs.size() > 1 && dorvel::FileExists(abs)) << abs;
        const std::string rel = GetTag(record, f.rel);
        ASSERT_FALSE(rel.empty());
        const std::string path = styleFolder(style) + rel;
        EXPECT_TRUE(dorvel::FileExists(path)) << path;
        EXPECT_TRUE(hasSignature(path)) << path;
    }
}

TEST(StylesTest, AtLeastTwoStylesOneOfThemForLargerScreens)
{
    const std::vector<std::string> styles = styleNames();
    ASSERT_GE(styles.size(), 2u);
    int large = 0;
    for (const std::string& style : styles)
        large += GetTagInt(question(style, "mc2.vtq"), "windowSize", 0) == 1;
    EXPECT_GE(large, 1);
}

TEST(StylesTest, EveryTemplateHoldsThePlaceholdersOfItsType)
{
    for (const std::string& style : styleNames()) {
        for (const TemplateKind& kind : kTemplates) {
            SCOPED_TRACE(style + "/" + kind.file);
            const std::string q = question(style, kind.file);
            ASSERT_FALSE(q.empty()) << "missing or unreadable";

            // Texts are filled by position, so their order is part of the format.
            std::vector<std::string> names;
            for (const std::string& t : records(q, "vtText"))
                names.push_back(GetTag(t, "textName"));
            std::vector<std::string> expected;
            if (kind.family == 'p') {
                expected = {"TestName", "ExaminerName"};
            } else {
                expected.push_back("Title");
                for (int k = 1; k <= kind.count; ++k)
                    expected.push_back("Text " + std::to_string(k));
            }
            EXPECT_EQ(names, expected);

            std::vector<std::string> buttons;
            for (const std::string& b : records(q, "vtButton")) {
                buttons.push_back(GetTag(b, "ButtonName"));
                const int type = GetTagInt(b, "buttonType", 0);
                EXPECT_EQ(type == 0, kind.family == 'm') << "buttonType " << type;
            }
            std::vector<std::string> fields;
            for (const std::string& f : records(q, "vtField")) {
                fields.push_back(GetTag(f, "FieldName"));
                EXPECT_EQ(GetTag(f, "FieldMarkIfCorrect"), "1");
            }
            std::vector<std::string> wantButtons, wantFields;
            for (int k = 1; k <= kind.count; ++k) {
                if (kind.family == 'm' || kind.family == 't')
                    wantButtons.push_back("Button " + std::to_string(k));
                if (kind.family == 'x')
                    wantFields.push_back("Field " + std::to_string(k));
            }
            EXPECT_EQ(buttons, wantButtons);
            EXPECT_EQ(fields, wantFields);

            // One choice at a time for multiple choice; statements and fields
            // are answered each on its own.
            EXPECT_EQ(GetTag(q, "numSelections"), kind.family == 'm' ? "1" : "0");
        }
    }
}

TEST(StylesTest, PreTestPageIsAnOlderVersionWithTheNames)
{
    for (const std::string& style : styleNames()) {
        SCOPED_TRACE(style);
        const std::string q = question(style, "pretest.vtq");
        ASSERT_FALSE(q.empty());
        EXPECT_LT(GetTagInt(q, "version", 1), 2);
    }
}

TEST(StylesTest, EveryNamedMediaFileIsInTheStyleFolder)
{
    for (const std::string& style : styleNames()) {
        for (const TemplateKind& kind : kTemplates) {
            SCOPED_TRACE(style + "/" + kind.file);
            const std::string q = question(style, kind.file);
            expectMedia(style, q, kQuestionMedia);
            const std::string background = GetTag(q, "vtBackground");
            ASSERT_FALSE(background.empty()) << "a page without vtBackground gets an empty picture";
            expectMedia(style, background, {MediaField{"bgFilePathAbs", "bgFilePathRel"}});
            for (const std::string& p : records(q, "vtPicture"))
                expectMedia(style, p, kPictureMedia);
            for (const std::string& b : records(q, "vtButton")) {
                if (GetTagInt(b, "buttonType", 0) == 0)
                    expectMedia(style, b, kChoiceMedia);
                else
                    expectMedia(style, b, kTrueFalseMedia);
            }
        }
    }
}

// Pages stretch every picture to the size its element names.
TEST(StylesTest, PicturesHaveTheSizeOfTheirElements)
{
    for (const std::string& style : styleNames()) {
        for (const TemplateKind& kind : kTemplates) {
            SCOPED_TRACE(style + "/" + kind.file);
            const std::string q = question(style, kind.file);
            for (const std::string& p : records(q, "vtPicture")) {
                const std::string rel = GetTag(p, "picFilePathRel");
                SCOPED_TRACE(rel);
                if (fs::path(rel).extension() == ".gif") {
                    EXPECT_EQ(gifSize(readBytes(styleFolder(style) + rel)),
                              (Size{GetTagInt(p, "PictureWidth", 0), GetTagInt(p, "PictureHeight", 0)}));
                }
            }
            for (const std::string& b : records(q, "vtButton")) {
                const Size size{GetTagInt(b, "buttonWidth", 0), GetTagInt(b, "buttonHeight", 0)};
                const bool choice = GetTagInt(b, "buttonType", 0) == 0;
                for (int n = 1; n <= (choice ? 3 : 7); ++n) {
                    const std::string rel = GetTag(b, (choice ? "s" : "tf") + std::to_string(n) + "r");
                    SCOPED_TRACE(rel);
                    EXPECT_EQ(gifSize(readBytes(styleFolder(style) + rel)), size);
                }
            }
        }
    }
}

// Elements that fall outside the frame, or under the strip the browser does
// not show, cannot be answered.
TEST(StylesTest, ElementsLieOnTheVisiblePage)
{
    struct Box {
        const char* kind;
        const char* left;
        const char* top;
        const char* width;
        const char* height;
        int markReach;  // the tick and cross reach this far past the right edge
    };
    const Box kBoxes[] = {
        {"vtText", "textLeft", "textTop", "textWidth", "textHeight", 0},
        {"vtPicture", "PictureLeft", "PictureTop", "PictureWidth", "PictureHeight", 0},
        {"vtButton", "buttonLeft", "buttonTop", "buttonWidth", "buttonHeight", 25},
        {"vtField", "FieldLeft", "FieldTop", "FieldWidth", "FieldHeight", 30},
    };
    for (const std::string& style : styleNames()) {
        for (const TemplateKind& kind : kTemplates) {
            SCOPED_TRACE(style + "/" + kind.file);
            const std::string q = question(style, kind.file);
            const Size page = pageSize(GetTagInt(q, "windowSize", 0));
            for (const Box& box : kBoxes) {
                for (const std::string& r : records(q, box.kind)) {
                    const int left = GetTagInt(r, box.left, -1);
                    const int top = GetTagInt(r, box.top, -1);
                    const int width = GetTagInt(r, box.width, -1);
                    const int height = GetTagInt(r, box.height, -1);
                    SCOPED_TRACE(std::string(box.kind) + " at " + std::to_string(left) + "," + std::to_string(top));
                    EXPECT_GE(left, 0);
                    EXPECT_GE(top, 0);
                    EXPECT_GT(width, 0);
                    EXPECT_GT(height, 0);
                    EXPECT_LE(left + width + box.markReach, page.width);
                    EXPECT_LE(top + height, page.height - 25);
                }
            }
        }
    }
}

// The page writer routes texts, pictures and shapes whose `feedback` is not
// "0" into feedback frames, and names page objects after the ids.
TEST(StylesTest, ElementsBelongToThePageAndHaveDistinctIds)
{
    for (const std::string& style : styleNames()) {
        for (const TemplateKind& kind : kTemplates) {
            SCOPED_TRACE(style + "/" + kind.file);
            const std::string q = question(style, kind.file);
            for (const char* name : {"vtText", "vtPicture", "vtShape"}) {
                for (const std::string& r : records(q, name))
                    EXPECT_EQ(GetTag(r, "feedback"), "0") << name;
            }
            std::set<std::string> ids;
            std::size_t count = 0;
            for (const char* name : {"vtButton", "vtField", "vtPicture"}) {
                for (const std::string& r : records(q, name)) {
                    const std::string id = GetTag(r, "id");
                    EXPECT_GE(id.size(), 5u) << name << " id " << id;
                    ids.insert(id);
                    ++count;
                }
            }
            EXPECT_EQ(ids.size(), count);
        }
    }
}

TEST(StylesTest, EveryStyleHasAPreviewForTheEditor)
{
    for (const std::string& style : styleNames()) {
        SCOPED_TRACE(style);
        const std::string gif = styleFolder(style) + "Style.gif";
        const std::string jpg = styleFolder(style) + "Style.jpg";
        ASSERT_TRUE(dorvel::FileExists(gif) || dorvel::FileExists(jpg));
        if (dorvel::FileExists(gif)) {
            const Size size = gifSize(readBytes(gif));
            EXPECT_GT(size.width, 200);
            EXPECT_LE(size.width, 300);
            EXPECT_GT(size.height, 140);
            EXPECT_LE(size.height, 220);
        } else {
            EXPECT_TRUE(hasSignature(jpg));
        }
    }
}

TEST(ButtonsTest, AllButtonFilesArePicturesOfTheirSize)
{
    struct ButtonFile {
        const char* name;
        Size size;  // -1 x -1: not a picture
    };
    const Size bar{52, 26}, arrow{26, 26}, start{110, 26}, mark{40, 40};
    const ButtonFile kFiles[] = {
        {"blank.gif", {1, 1}},
        {"slideline.gif", {64, 26}},
        {"owl.gif", {80, 72}},
        {"tick.gif", mark},
        {"cross.gif", mark},
        {"Help.htm", {}},
        {"Help0.gif", {51, 26}},
        {"Help1.gif", {51, 26}},
        {"Help2.gif", {51, 26}},
        {"Arrow10.gif", arrow},
        {"Arrow11.gif", arrow},
        {"Arrow12.gif", arrow},
        {"Slider.gif", arrow},
        {"Arrow20.gif", arrow},
        {"Arrow21.gif", arrow},
        {"Arrow22.gif", arrow},
        {"Cheat0.gif", bar},
        {"Cheat1.gif", bar},
        {"Cheat2.gif", bar},
        {"Cheat3.gif", bar},
        {"Finish0.gif", bar},
        {"Finish1.gif", bar},
        {"Finish2.gif", bar},
        {"Finish3.gif", bar},
        {"Mark0.gif", bar},
        {"Mark1.gif", bar},
        {"Mark2.gif", bar},
        {"Mark3.gif", bar},
        {"StartTest0.gif", start},
        {"StartTest1.gif", start},
        {"StartTest2.gif", start},
    };
    ASSERT_EQ(std::size(kFiles), 31u);
    for (const ButtonFile& f : kFiles) {
        SCOPED_TRACE(f.name);
        const std::string path = kInstall + "/Buttons/" + f.name;
        ASSERT_TRUE(dorvel::FileExists(path));
        EXPECT_EQ(gifSize(readBytes(path)), f.size);
    }
}

// The cover lies over a finished question and ticks and crosses over
// answers: an opaque picture would hide what lies below.
TEST(ButtonsTest, CoverTickAndCrossAreTransparent)
{
    for (const char* name : {"blank.gif", "tick.gif", "cross.gif"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(gifHasTransparency(readBytes(kInstall + "/Buttons/" + name)));
    }
}

TEST(ButtonsTest, HelpPageIsPlainSelfContainedHtml)
{
    const std::string page = readBytes(kInstall + "/Buttons/Help.htm");
    ASSERT_FALSE(page.empty());
    EXPECT_NE(page.find("<html"), std::string::npos);
    EXPECT_NE(page.find("charset=ISO-8859-1"), std::string::npos);
    EXPECT_TRUE(std::all_of(page.begin(), page.end(), [](char c) { return static_cast<unsigned char>(c) < 128; }));
    for (const char* external : {"src=", "href=", "url(", "http:", "https:"})
        EXPECT_EQ(page.find(external), std::string::npos) << external;
}

}  // namespace
