#include "media/MediaFileCheck.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace dorvel {
namespace {

using test::TempFolder;

TEST(Scramble, AddsExactly317CharactersAndReadsBack)
{
    for (const std::string& text : {std::string(), std::string("<a>1</a>"), std::string(5000, 'x')}) {
        for (int kind = 0; kind <= 5; ++kind) {
            const std::string s = ScrambleText(text, kind);
            EXPECT_EQ(s.size(), text.size() + 317);
            EXPECT_EQ(UnscrambleText(s, kind), text);
        }
    }
}

TEST(Scramble, CharactersOutsideTheBaseStayInPlace)
{
    const std::string text = "ab\r\ncd\"e\\f\xE9g\tz";
    const std::string s = ScrambleTextSeeded(text, 2, 99u);
    const std::string body = s.substr(317);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n' || c == '"' || c == '\\' || c == 0xE9 || c == '\t') {
            EXPECT_EQ(body[i], text[i]) << i;
        }
    }
    EXPECT_EQ(UnscrambleText(s, 2), text);
}

TEST(Scramble, SameSeedSameOutputOtherSeedOtherOutput)
{
    const std::string text = "<vtDorvel>same</vtDorvel>";
    EXPECT_EQ(ScrambleTextSeeded(text, 2, 7u), ScrambleTextSeeded(text, 2, 7u));
    EXPECT_NE(ScrambleTextSeeded(text, 2, 7u), ScrambleTextSeeded(text, 2, 8u));
    EXPECT_EQ(UnscrambleText(ScrambleTextSeeded(text, 2, 8u), 2), text);
}

TEST(Scramble, OtherKindDoesNotReadBack)
{
    const std::string text = "<vtDorvel>x</vtDorvel>";
    const std::string s = ScrambleTextSeeded(text, 3, 5u);
    EXPECT_TRUE(IsScrambledAs(s, 3));
    EXPECT_FALSE(IsScrambledAs(s, 2));
    EXPECT_EQ(GetTag(UnscrambleText(s, 2), "vtDorvel"), "");
}

TEST(Scramble, SubstituteAndRestoreAreInverse)
{
    const std::string key = ScrambleKey(1, 6);
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(RestoreText(SubstituteText(all, key), key), all);
    EXPECT_NE(SubstituteText(all, key), all);
}

struct KindCase {
    const char* path;
    int kind;
};

TEST(StoredFile, KindFollowsTheLowerCasedExtension)
{
    const KindCase cases[] = {
        {"a/set.vtd", 2},
        {"SET.VTD", 2},
        {"b.vtb", 3},
        {"c.vtc", 5},
        {"d.vtl", 1},
        {"e.vtr", 4},
        {"f.vtq", 0},
        {"noext", 0},
        {"g.TXT", -1},
        {"dir.vtd/file", 0},
        {"C:\\x.y\\z", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StoredFileKind(c.path), c.kind) << c.path;
}

TEST(StoredFile, TxtFilesAreWrittenByteForByte)
{
    TempFolder dir;
    std::string bytes;
    for (int c = 1; c < 256; ++c)
        bytes += static_cast<char>(c);
    const std::string path = dir.path("plain.txt");
    ASSERT_TRUE(WriteStoredFile(path, bytes));
    std::string onDisk;
    ASSERT_TRUE(ReadFileBytes(path, onDisk));
    EXPECT_EQ(onDisk, bytes);
    EXPECT_EQ(ReadStoredFile(path), bytes);
}

TEST(StoredFile, ScrambledFilesRoundTripAndHideTheirText)
{
    TempFolder dir;
    const std::string text = "<vtDorvel><TestName>Readable?</TestName></vtDorvel>";
    for (const char* name : {"s.vtd", "S.VTD", "t.vtq", "l.vtc", "b.vtb"}) {
        const std::string path = dir.path(name);
        ASSERT_TRUE(WriteStoredFile(path, text));
        std::string onDisk;
        ASSERT_TRUE(ReadFileBytes(path, onDisk));
        EXPECT_EQ(onDisk.find("Readable"), std::string::npos) << name;
        EXPECT_EQ(ReadStoredFile(path), text) << name;
    }
}

TEST(StoredFile, ReplacingAFileKeepsTheOldOneWhenTheWriteFails)
{
    TempFolder dir;
    const std::string path = dir.path("keep.vtd");
    ASSERT_TRUE(WriteStoredFile(path, "<vtDorvel>old</vtDorvel>"));
    EXPECT_FALSE(WriteStoredFile(dir.path("missing-folder/x.vtd"), "y"));
    EXPECT_FALSE(WriteStoredFile(dir.path(""), "a folder is no file"));
    ASSERT_TRUE(WriteStoredFile(path, "<vtDorvel>new</vtDorvel>"));
    EXPECT_EQ(ReadStoredFile(path), "<vtDorvel>new</vtDorvel>");
}

TEST(StoredFile, DamagedAndForeignFilesReadAsTextWithoutElements)
{
    TempFolder dir;
    const std::string plain = dir.write("plain.vtd", "<vtDorvel><TestName>x</TestName></vtDorvel>");
    EXPECT_EQ(GetTag(ReadStoredFile(plain), "vtDorvel"), "");

    const std::string full = ScrambleTextSeeded("<vtDorvel><TestName>x</TestName></vtDorvel>", 2, 3u);
    for (std::size_t cut : {0u, 1u, 16u, 17u, 200u, 317u, 330u}) {
        const std::string p = dir.write("cut" + std::to_string(cut) + ".vtd", full.substr(0, cut));
        EXPECT_EQ(GetTag(ReadStoredFile(p), "vtDorvel"), "") << cut;
    }

    std::mt19937 random(42);
    for (int i = 0; i < 20; ++i) {
        std::string noise(static_cast<std::size_t>(random() % 2000), '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        const std::string p = dir.write("noise.vtd", noise);
        EXPECT_EQ(GetTag(ReadStoredFile(p), "vtDorvel"), "");
    }
    EXPECT_EQ(ReadStoredFile(dir.path("does-not-exist.vtd")), "");
}

TEST(StoredFile, ReadingStopsAtTheFirstZeroByte)
{
    TempFolder dir;
    const std::string p = dir.write("z.txt", std::string("ab\0cd", 5));
    EXPECT_EQ(ReadStoredFile(p), "ab");
}

struct MediaCase {
    const char* name;
    std::string head;
    bool accepted;
};

TEST(MediaCheck, SignatureFollowsTheExtension)
{
    TempFolder dir;
    const MediaCase cases[] = {
        {"a.jpg", "\xFF\xD8\xFF\xE0rest", true},
        {"b.JPEG", "\xFF\xD8\xFF\xE0", true},
        {"c.jpg", "\xFF\xD8\xFF\xE1rest", true},  // a camera's Exif JPEG
        {"c2.jpg", "\xFF\xD9\xFF\xE0rest", false},
        {"d.bmp", "BMxx", true},
        {"e.bmp", "MBxx", true},  // only the sum of the first two bytes is tested
        {"f.wav", "RIFFxxxxWAVE", true},
        {"g.wav", "RIFXxxxx", false},
        {"h.avi", "RIFFxxxxAVI ", true},
        {"i.mp3", "\xFF\xF3\x00\x00", true},
        {"j.mp3", "ID3\x04", true},  // a tag before the first frame
        {"j2.mp3", "RIFFxxxxWAVE", false},
        {"k.aif", "FORMxxxx", true},
        {"l.gif", "nothing like a gif", false},
        {"l2.gif", "GIF89a\x01\x00\x01\x00", true},
        {"n.png", "\x89PNG\r\n\x1A\n", true},
        {"o.webp", "RIFFxxxxWEBPVP8 ", true},
        {"p.ogg", "OggS\x00", true},
        {"q.svg", "<?xml version=\"1.0\"?>\n<!-- map -->\n<svg xmlns=\"http://www.w3.org/2000/svg\">", true},
        {"r.svg", "<html><svg>", false},
        {"s.txt", "anything", true},  // not media: nothing is known
        {"m.jpg", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckMediaFile(dir.write(c.name, c.head)), c.accepted) << c.name;
    EXPECT_TRUE(CheckMediaFile(dir.path("missing.jpg")));
}

}  // namespace
}  // namespace dorvel
