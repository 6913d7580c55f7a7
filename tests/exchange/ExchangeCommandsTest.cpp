#include "archive/ZipReader.h"
#include "editor/Workspace.h"
#include "editor/commands/ImportQuestionsCall.h"
#include "exchange/ExchangeQuestion.h"
#include "exchange/Reasons.h"
#include "languages/LangStrings.h"
#include "media/QuestionMedia.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMedia.h"

#include <QByteArray>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace dorvel::exchange {
namespace {

test::ProgramRun runCli(const std::vector<std::string>& args)
{
    return test::RunProgram(DORVEL_CLI, args);
}

std::string giftOf(int count)
{
    std::string gift = "$CATEGORY: $course$/top/Big\n\n";
    for (int k = 1; k <= count; ++k)
        gift += "::Q" + std::to_string(k) + "::Question " + std::to_string(k) + " {=right ~wrong}\n\n";
    return gift;
}

std::string titleOf(const OpenSet& set, int n)
{
    return GetTag(set.questionSlots[static_cast<std::size_t>(n)], "Title");
}

// A Moodle XML question whose text shows map.png (carried) and gone.png (not).
std::string quizWithPicture(const test::TempFolder& dir, std::string& picture)
{
    ReadFileBytes(test::MakePicture(dir.path("made.png"), 30, 20), picture);
    return "<?xml version=\"1.0\"?>\n<quiz><question type=\"truefalse\"><name><text>Map</text></name>"
           "<questiontext format=\"html\"><text>&lt;p&gt;Is it blue?&lt;img src=\"@@PLUGINFILE@@/gone.png\"&gt;"
           "&lt;img src=\"@@PLUGINFILE@@/map.png\" alt=\"A map\"&gt;&lt;/p&gt;</text>"
           "<file name=\"map.png\" path=\"/\" encoding=\"base64\">"
        + QByteArray::fromStdString(picture).toBase64().toStdString()
        + "</file></questiontext><answer fraction=\"100\"><text>true</text></answer>"
          "<answer fraction=\"0\"><text>false</text></answer></question></quiz>\n";
}

TEST(ExchangeCli, ImportWritesThePicturesBesideTheSet)
{
    test::TempFolder dir;
    std::string picture;
    const std::string source = dir.write("quiz.xml", quizWithPicture(dir, picture));
    ASSERT_TRUE(ForceDirectory(dir.path("Class")));
    const test::ProgramRun run = runCli({"import", source, dir.path("Class/Geography.vtd")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Question 1 (Map): The picture gone.png is not in the file"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("The pictures were saved in: " + dir.path("Class/Geography media")), std::string::npos)
        << run.err;
    std::string written;
    ASSERT_TRUE(ReadFileBytes(dir.path("Class/Geography media/map.png"), written));
    EXPECT_EQ(written, picture);

    // The set names the file relative to itself: moved with its folder, it still finds it.
    ASSERT_TRUE(QDir(QString::fromStdString(dir.path())).rename(QStringLiteral("Class"), QStringLiteral("Moved")));
    OpenSet set;
    ASSERT_EQ(ReadSetFile(dir.path("Moved/Geography.vtd"), set), SetFileStatus::Ok);
    const std::string& record = set.questionSlots[1];
    EXPECT_EQ(GetTag(record, kQuestionPictureFields.rel), "Geography media/map.png");
    const ResolvedMedia moved = ResolveQuestionMedia(record, MediaKind::Picture, dir.path("Moved/Geography.vtd"));
    EXPECT_TRUE(moved.found);
    EXPECT_EQ(moved.path, dir.path("Moved/Geography media/map.png"));
    EXPECT_EQ(QuestionPictureDescription(record), "A map");

    // Out as Moodle XML and in again: the same picture with its description.
    const test::ProgramRun convert = runCli({"convert", dir.path("Moved/Geography.vtd"), dir.path("back.xml")});
    ASSERT_EQ(convert.status, 0) << convert.err;
    EXPECT_EQ(convert.err.find("picture is not exported"), std::string::npos) << convert.err;
    EXPECT_EQ(convert.err.find("larger than"), std::string::npos) << convert.err;
    ASSERT_EQ(runCli({"import", dir.path("back.xml"), dir.path("Back.vtd")}).status, 0);
    OpenSet back;
    ASSERT_EQ(ReadSetFile(dir.path("Back.vtd"), back), SetFileStatus::Ok);
    EXPECT_EQ(QuestionPictureDescription(back.questionSlots[1]), "A map");
    std::string again;
    ASSERT_TRUE(ReadFileBytes(dir.path("Back media/map.png"), again));
    EXPECT_EQ(again, picture);
}

TEST(ExchangeCli, MoreThanAHundredQuestionsMakeSeveralSets)
{
    test::TempFolder dir;
    const std::string source = dir.write("big.txt", giftOf(150) + "::Essay::Write {}\n");
    const test::ProgramRun run = runCli({"import", source, dir.path("out.vtd")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Question 151 (Essay): Essay questions"), std::string::npos) << run.err;
    OpenSet first;
    OpenSet second;
    ASSERT_EQ(ReadSetFile(dir.path("out.vtd"), first), SetFileStatus::Ok);
    ASSERT_EQ(ReadSetFile(dir.path("out-2.vtd"), second), SetFileStatus::Ok);
    EXPECT_EQ(first.questionCount(), 100);
    EXPECT_EQ(second.questionCount(), 50);
    EXPECT_EQ(titleOf(second, 1), "Question 101");
    EXPECT_EQ(GetTag(first.testDetails, "TestName"), "Big");
    EXPECT_EQ(GetTag(second.testDetails, "TestName"), "Big (2)");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.path("out-3.vtd"))));
}

// A file of several categories makes a set of each, named after it;
// --one-set keeps the questions together. The pictures go to their questions
// wherever the categories put them.
TEST(ExchangeCli, EachCategoryBecomesASetUnlessOneIsAskedFor)
{
    test::TempFolder dir;
    test::MakePicture(dir.path("verb.png"), 20, 10);
    const std::string source = dir.write("units.gift", "$CATEGORY: $course$/top/Verbs\n\n::V1::She {=goes ~go} home.\n\n"
                                                       "$CATEGORY: $course$/top/Nouns\n\n::N1::A noun? {=dog ~run}\n\n"
                                                       "$CATEGORY: $course$/top/Verbs\n\n"
                                                       "::V2::[html]Which verb is drawn?<img src\\=\"verb.png\"> {=run ~dog}\n");
    const test::ProgramRun split = runCli({"import", source, dir.path("split.vtd")});
    EXPECT_EQ(split.status, 0) << split.err;
    EXPECT_NE(split.err.find("2 categories became a set each"), std::string::npos) << split.err;
    OpenSet verbs;
    OpenSet nouns;
    ASSERT_EQ(ReadSetFile(dir.path("split.vtd"), verbs), SetFileStatus::Ok);
    ASSERT_EQ(ReadSetFile(dir.path("split-2.vtd"), nouns), SetFileStatus::Ok);
    EXPECT_EQ(GetTag(verbs.testDetails, "TestName"), "Verbs");
    EXPECT_EQ(GetTag(nouns.testDetails, "TestName"), "Nouns");
    ASSERT_EQ(verbs.questionCount(), 2);
    EXPECT_EQ(nouns.questionCount(), 1);
    EXPECT_EQ(GetTag(verbs.questionSlots[2], kQuestionPictureFields.rel), "split media/verb.png");
    EXPECT_EQ(NamedQuestionMedia(verbs.questionSlots[1], MediaKind::Picture), "");
    EXPECT_EQ(NamedQuestionMedia(nouns.questionSlots[1], MediaKind::Picture), "");

    const test::ProgramRun together = runCli({"import", source, dir.path("one.vtd"), "--one-set"});
    EXPECT_EQ(together.status, 0) << together.err;
    OpenSet one;
    ASSERT_EQ(ReadSetFile(dir.path("one.vtd"), one), SetFileStatus::Ok);
    EXPECT_EQ(one.questionCount(), 3);
    EXPECT_EQ(GetTag(one.testDetails, "TestName"), "0");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.path("one-2.vtd"))));
}

TEST(ExchangeCli, ImportAndConvertRefuseWhatTheyCannotUse)
{
    test::TempFolder dir;
    const std::string aiken = dir.write("q.txt", "Two plus two?\nA. 3\nB. 4\nANSWER: B\n");
    // A file larger than the limit is refused before it is read (sparse: takes no room).
    const std::string huge = dir.path("huge.gift");
    {
        QFile f(QString::fromStdString(huge));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(kMaxImportFileSize) + 1));
    }
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    } const table[] = {
        {{"import", aiken, dir.path("a.vtd"), "--format", "csv"}, 2, "--format is gift, aiken or moodlexml"},
        {{"import", aiken}, 2, "usage"},
        {{"import", huge, dir.path("h.vtd")}, 1, "larger than 64 MB"},
        {{"import", dir.path("missing.gift"), dir.path("m.vtd")}, 1, "could not be read"},
        {{"import", dir.write("none.gift", "::E::Essay {}\n"), dir.path("n.vtd")}, 1, "no questions that can be imported"},
        {{"convert", dir.path("a.vtd"), dir.path("out.pdf")}, 2, "usage"},
        {{"convert", aiken, dir.path("out.xml")}, 1, "not a Dorvel set file"},
    };
    for (const Case& c : table) {
        const test::ProgramRun run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[1] << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.path("n.vtd"))));

    // Aiken named explicitly, then out as every format.
    ASSERT_EQ(runCli({"import", aiken, dir.path("a.vtd"), "--format", "aiken"}).status, 0);
    for (const char* out : {"a.xml", "a.gift", "a.zip"}) {
        const test::ProgramRun run = runCli({"convert", dir.path("a.vtd"), dir.path(out)});
        EXPECT_EQ(run.status, 0) << out << run.err;
        EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.path(out)))) << out;
    }
}

// Large pictures go into the Moodle XML a piece at a time, each exactly as
// its whole file's base64; a file larger than our own import reads (many
// platforms take less) is written, with a warning.
TEST(ExchangeCli, ConvertWritesLargePicturesWholeAndWarnsPastWhatImportReads)
{
    test::TempFolder dir;
    ASSERT_EQ(runCli({"import", dir.write("q.gift", giftOf(4)), dir.path("Big.vtd")}).status, 0);
    // Four pictures of about 16 MB each (a real PNG with bytes after its end),
    // no two alike, none a whole number of pieces long.
    std::vector<std::string> pictures;
    for (int k = 1; k <= 4; ++k) {
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(test::MakePicture(dir.path("p.png"), 20, 20), bytes));
        const std::size_t size = (std::size_t(16) << 20) + 1000 * k + k;
        for (std::size_t i = bytes.size(); i < size; ++i)
            bytes += static_cast<char>((i * 7 + i / 4096 + k) & 0xff);
        const std::string path = dir.write("p" + std::to_string(k) + ".png", bytes);
        pictures.push_back(bytes);
        const test::ProgramRun media = runCli({"media", dir.path("Big.vtd"), std::to_string(k), "--picture", path});
        ASSERT_EQ(media.status, 0) << media.err;
    }
    const test::ProgramRun run = runCli({"convert", dir.path("Big.vtd"), dir.path("big.xml")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("The file is 86 MB: larger than the 64 MB that Dorvel imports"), std::string::npos) << run.err;
    std::string xml;
    ASSERT_TRUE(ReadFileBytes(dir.path("big.xml"), xml));
    for (int k = 1; k <= 4; ++k) {
        const std::string element = "<file name=\"p" + std::to_string(k) + ".png\" path=\"/\" encoding=\"base64\">"
            + QByteArray::fromStdString(pictures[std::size_t(k - 1)]).toBase64().toStdString() + "</file>";
        EXPECT_NE(xml.find(element), std::string::npos) << k;
    }
    EXPECT_NE(runCli({"import", dir.path("big.xml"), dir.path("back.vtd")}).err.find("larger than 64 MB"),
              std::string::npos);
}

// A set may name any file as a question's picture, by its absolute path or
// relative to the set. Convert embeds a picture in what the author hands on,
// so it takes only what the media checks take, as every other output does,
// and says why it left one out.
TEST(ExchangeCli, ConvertEmbedsOnlyPicturesTheMediaChecksTake)
{
    test::TempFolder dir;
    const std::string secret = "root:x:0:0:TOP SECRET answers 4 and B";
    dir.write("Private/passwd", secret);
    dir.write("Private/passwd.png", secret);  // a picture's name over other bytes
    ASSERT_TRUE(ForceDirectory(dir.path("Class")));
    std::string map;
    ASSERT_TRUE(ReadFileBytes(test::MakePicture(dir.path("Class/map.png"), 30, 20), map));
    std::string aiken;
    for (int k = 1; k <= 5; ++k)
        aiken += "Question " + std::to_string(k) + "?\nA. yes\nB. no\nANSWER: A\n\n";
    const std::string setPath = dir.path("Class/Quiz.vtd");
    ASSERT_EQ(runCli({"import", dir.write("q.txt", aiken), setPath, "--format", "aiken"}).status, 0);

    struct Row {
        const char* abs;  // as the set stores them ("0": none)
        const char* rel;
        std::string shown;  // the file the message names
        const char* why;
    };
    const Row rows[] = {
        {"", "0", dir.path("Private/passwd"), "It is not a PNG, JPEG, GIF, WebP or SVG picture."},
        {"0", "../Private/passwd", dir.path("Private/passwd"), "It is not a PNG, JPEG, GIF, WebP or SVG picture."},
        {"", "0", dir.path("Private/passwd.png"), "Its contents are not those of its kind"},
        {"0", "../Private/passwd.png", dir.path("Private/passwd.png"), "Its contents are not those of its kind"},
    };
    OpenSet set;
    ASSERT_EQ(ReadSetFile(setPath, set), SetFileStatus::Ok);
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        std::string& record = set.questionSlots[k + 1];
        record = SetTag(record, kQuestionPictureFields.abs, *rows[k].abs ? rows[k].abs : rows[k].shown);
        record = SetTag(record, kQuestionPictureFields.rel, rows[k].rel);
    }
    set.questionSlots[5] = SetTag(SetTag(set.questionSlots[5], kQuestionPictureFields.abs, "0"),
                                  kQuestionPictureFields.rel, "map.png");
    ASSERT_TRUE(WriteStoredFile(setPath, PrepareSetFileText(set, 0)));

    const std::string encodedSecret = QByteArray::fromStdString(secret).toBase64().toStdString();
    for (const char* out : {"out.xml", "out.zip"}) {
        SCOPED_TRACE(out);
        const test::ProgramRun run = runCli({"convert", setPath, dir.path(out)});
        ASSERT_EQ(run.status, 0) << run.err;
        for (std::size_t k = 0; k < std::size(rows); ++k) {
            const std::string said = "Question " + std::to_string(k + 1) + ": its picture " + rows[k].shown
                + " is not exported. " + rows[k].why;
            EXPECT_NE(run.err.find(said), std::string::npos) << said << "\n"
                                                             << run.err;
        }
        EXPECT_EQ(run.err.find("Question 5"), std::string::npos) << "the real picture goes: " << run.err;
        std::string written;
        ASSERT_TRUE(ReadFileBytes(dir.path(out), written));
        if (std::string(out) == "out.xml") {
            EXPECT_EQ(written.find(encodedSecret), std::string::npos);
            EXPECT_EQ(written.find("encoding=\"base64\">"), written.rfind("encoding=\"base64\">")) << "one file only";
            EXPECT_NE(written.find(QByteArray::fromStdString(map).toBase64().toStdString()), std::string::npos);
            continue;
        }
        const ZipReader zip(dir.path(out));
        ASSERT_TRUE(zip.isOpen());
        std::vector<std::string> media;
        for (const std::string& name : zip.names()) {
            EXPECT_EQ(zip.read(name).value_or("").find(secret), std::string::npos) << name;
            if (name.rfind("items/media/", 0) == 0)
                media.push_back(name);
        }
        EXPECT_EQ(media, std::vector<std::string>{"items/media/item5.png"});
        EXPECT_EQ(zip.read("items/media/item5.png"), map);
    }
}

TEST(ExchangeEditor, ImportOpensUnsavedSetsAndListsWhatWasLeftOut)
{
    test::TempFolder dir;
    test::ScriptedUserInterface ui;
    LangStrings lang;
    lang.applyPack("0019 Too many sets\n0055 Set\n0481 Essay!\n0485 No room\n0502 Q%1 (%2): %3\n0503 %1 in, %2 out\n0504 Left out:\n");
    Workspace workspace(ui, lang);
    // Eighteen sets open: two entries are free for an import that needs three.
    for (int k = 0; k < 18; ++k)
        ASSERT_TRUE(workspace.NewSet());
    ui.openChoices.push_back({dir.write("big.gift", giftOf(250) + "::E::Essay {}\n")});
    ImportQuestionsCall(workspace, ui, lang);

    EXPECT_EQ(workspace.openSetCount(), 20);
    const OpenSet& last = workspace.set(19);
    EXPECT_EQ(last.questionCount(), 100);
    EXPECT_EQ(titleOf(last, 100), "Question 200");
    EXPECT_TRUE(last.filePath.empty());
    EXPECT_TRUE(last.hasUnsavedChanges()) << "closing asks to save it";
    EXPECT_EQ(workspace.currentSet(), 19);
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& message = ui.messages.front();
    EXPECT_NE(message.find("200 in, 51 out"), std::string::npos) << message;
    EXPECT_NE(message.find("Q251 (E): Essay!"), std::string::npos) << message;
    EXPECT_NE(message.find("Q201 (Q201): No room"), std::string::npos) << message;
}

TEST(ExchangeEditor, ImportedPicturesGoBesideTheFileAndTheMessageSaysWhere)
{
    for (const bool blocked : {false, true}) {
        SCOPED_TRACE(blocked ? "the folder cannot be made" : "the folder is made");
        test::TempFolder dir;
        test::ScriptedUserInterface ui;
        LangStrings lang;
        lang.applyPack("0055 Set\n0502 Q%1 (%2): %3\n0503 %1 in, %2 out\n0521 %1 is missing\n0522 Pictures in: %1\n"
                       "0523 No pictures in %1\n0524 Parts left out:\n");
        Workspace workspace(ui, lang);
        std::string picture;
        ui.openChoices.push_back({dir.write("quiz.xml", quizWithPicture(dir, picture))});
        if (blocked)
            dir.write("quiz media", "a file where the folder would go");
        ImportQuestionsCall(workspace, ui, lang);

        ASSERT_EQ(workspace.openSetCount(), 1) << "the questions come in either way";
        const std::string record = workspace.current()->questionSlots[1];
        ASSERT_EQ(ui.messages.size(), 1u);
        const std::string& message = ui.messages.front();
        EXPECT_NE(message.find("1 in, 0 out"), std::string::npos) << message;
        EXPECT_NE(message.find("Parts left out:"), std::string::npos) << message;
        EXPECT_NE(message.find("Q1 (Map): gone.png is missing"), std::string::npos) << message;
        if (blocked) {
            EXPECT_NE(message.find("No pictures in " + dir.path("quiz media")), std::string::npos) << message;
            EXPECT_FALSE(ResolveQuestionMedia(record, MediaKind::Picture, {}).named);
            continue;
        }
        EXPECT_NE(message.find("Pictures in: " + dir.path("quiz media")), std::string::npos) << message;
        // Named absolutely until the first save names it from the set's folder.
        EXPECT_EQ(NamedQuestionMedia(record, MediaKind::Picture), dir.path("quiz media/map.png"));
        EXPECT_EQ(QuestionPictureDescription(record), "A map");
        EXPECT_EQ(GetTag(record, kQuestionPictureFields.rel), "0");
        ui.saveChoices.push_back(dir.path("Sets/Geography.vtd"));
        ASSERT_TRUE(ForceDirectory(dir.path("Sets")));
        ASSERT_TRUE(workspace.SaveTest());
        EXPECT_EQ(GetTag(workspace.current()->questionSlots[1], kQuestionPictureFields.rel), "../quiz media/map.png");
    }
}

TEST(ExchangeEditor, ExportWritesTheCurrentSetInTheChosenFormat)
{
    test::TempFolder dir;
    test::ScriptedUserInterface ui;
    LangStrings lang;
    lang.applyPack("0055 Set\n0364 Damaged\n0505 Exported to:\n0513 Question %1 is off\n0516 Picture %1 out: %2\n"
                   "0555 Picture %1 refused: %2 %3\n");
    Workspace workspace(ui, lang);
    ui.openChoices.push_back({dir.write("q.gift", "::A::First {T}\n\n::B::Second {F}\n")});
    ImportQuestionsCall(workspace, ui, lang);
    workspace.current()->questionSlots[1] = SetTag(workspace.current()->questionSlots[1], "qDisabled", "1");
    std::string& second = workspace.current()->questionSlots[2];
    second = WithQuestionMedia(second, MediaKind::Picture, dir.write("owl.png", "\x89PNG\r\n\x1a\n"), {});
    ui.oneChoices.push_back(1);  // GIFT
    ui.saveChoices.push_back(dir.path("out"));
    ExportQuestionsCall(workspace, ui, lang);
    std::string gift;
    ASSERT_TRUE(ReadFileBytes(dir.path("out.gift"), gift));
    EXPECT_EQ(gift.find("First"), std::string::npos);
    EXPECT_NE(gift.find("::B::[html]Second {F}"), std::string::npos) << gift;
    EXPECT_NE(ui.messages.back().find("Question 1 is off"), std::string::npos) << ui.messages.back();
    EXPECT_NE(ui.messages.back().find("Picture 2 out: " + dir.path("owl.png")), std::string::npos) << ui.messages.back();

    // Moodle XML carries pictures, but only those the media checks take: the
    // message says why this one stayed out (a PNG's signature, no picture).
    ui.oneChoices.push_back(0);
    ui.saveChoices.push_back(dir.path("out"));
    ExportQuestionsCall(workspace, ui, lang);
    std::string xml;
    ASSERT_TRUE(ReadFileBytes(dir.path("out.xml"), xml));
    EXPECT_EQ(xml.find("<file"), std::string::npos) << xml;
    EXPECT_NE(ui.messages.back().find("Picture 2 refused: " + dir.path("owl.png") + " Damaged"), std::string::npos)
        << ui.messages.back();
}

// The import dialog offers the format: a file its name and content would
// send to the wrong reader comes in when the author names the format.
TEST(ExchangeEditor, TheDialogsFormatAndTheFilesCategoriesDecide)
{
    test::TempFolder dir;
    test::ScriptedUserInterface ui;
    LangStrings lang;
    lang.applyPack("0055 Set\n0502 Q%1 (%2): %3\n0503 %1 in, %2 out\n0529 %1 categories, a set each\n"
                   "0542 Any\n0543 Aiken\n0544 %1 categories:\n0545 each\n0546 together\n");
    Workspace workspace(ui, lang);
    // An Aiken file without an extension, with braces in its texts: its content looks like GIFT.
    const std::string aiken = dir.write("aiken export", "Which set is empty?\nA. {}\nB. {0}\nANSWER: A\n");
    ui.openChoices.push_back({aiken});
    ui.filterChoices.push_back(0);
    ImportQuestionsCall(workspace, ui, lang);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filter.substr(0, 4), "Any|");
    EXPECT_NE(ui.dialogs[0].filter.find("|Aiken|*.txt|"), std::string::npos) << ui.dialogs[0].filter;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("0 in, 1 out"), std::string::npos) << ui.messages[0];
    ui.openChoices.push_back({aiken});
    ui.filterChoices.push_back(2);
    ImportQuestionsCall(workspace, ui, lang);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].find("1 in, 0 out"), std::string::npos) << ui.messages[1];
    const int before = workspace.openSetCount();

    // Several categories: a set of each, or (asked) all together.
    const std::string units = dir.write("units.gift", "$CATEGORY: Verbs\n\n::V::She {=goes ~go} home.\n\n"
                                                      "$CATEGORY: Nouns\n\n::N::A noun? {=dog ~run}\n");
    ui.openChoices.push_back({units});
    ImportQuestionsCall(workspace, ui, lang);
    ASSERT_EQ(ui.offered.size(), 1u);
    EXPECT_EQ(ui.offered[0], (std::vector<std::string>{"each", "together"}));
    ASSERT_EQ(workspace.openSetCount(), before + 2);
    EXPECT_EQ(GetTag(workspace.set(before).testDetails, "TestName"), "Verbs");
    EXPECT_EQ(GetTag(workspace.set(before + 1).testDetails, "TestName"), "Nouns");
    EXPECT_NE(ui.messages.back().find("2 categories, a set each"), std::string::npos) << ui.messages.back();
    ui.openChoices.push_back({units});
    ui.oneChoices.push_back(1);
    ImportQuestionsCall(workspace, ui, lang);
    ASSERT_EQ(workspace.openSetCount(), before + 3);
    EXPECT_EQ(workspace.set(before + 2).questionCount(), 2);
    EXPECT_EQ(ui.messages.back().find("categories"), std::string::npos) << ui.messages.back();
}

}  // namespace
}  // namespace dorvel::exchange
