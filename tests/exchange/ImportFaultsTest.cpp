#include "exchange/ImportFile.h"
#include "exchange/MarkedText.h"
#include "exchange/QuestionReaders.h"
#include "exchange/Reasons.h"
#include "storage/FileUtils.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMedia.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

// Questions as teachers' files and other programs write them, in the shapes
// that came in wrong: each fixture is small, written here, and shows one fault.
namespace dorvel::exchange {
namespace {

namespace r = reason;

// A question in one line, for comparing: kind, name, text, then its answers
// ("*" before the right choice; a range as "low..high").
std::string described(const Question& q)
{
    std::string out = (q.name.empty() ? std::string() : q.name + ": ") + q.text + " ";
    switch (q.kind) {
    case Kind::Choice:
        out += "[";
        for (std::size_t k = 0; k < q.choices.size(); ++k)
            out += (k ? ", " : "") + std::string(static_cast<int>(k) == q.rightChoice ? "*" : "") + q.choices[k];
        return out + "]";
    case Kind::TrueFalse: return out + (q.statements.front().isTrue ? "{T}" : "{F}");
    case Kind::Typed:
        out += "{";
        for (const AnswerField& f : q.fields) {
            out += f.numeric ? "#" : "";
            for (std::size_t k = 0; k < f.answers.size(); ++k)
                out += (k ? (f.range ? ".." : " | ") : "") + f.answers[k];
        }
        return out + "}";
    }
    return out;
}

struct FaultCase {
    const char* what;
    Format format;
    std::string content;
    std::vector<std::string> questions;        // as described()
    std::vector<std::pair<int, int>> skipped;  // position, reason
};

std::string moodleXml(const std::string& questions)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n" + questions + "</quiz>\n";
}

std::string moodleChoice(const std::string& name, const std::string& format, const std::string& text,
                         const std::vector<std::pair<int, std::string>>& answers)
{
    std::string out = "<question type=\"multichoice\"><name><text>" + name + "</text></name><questiontext format=\"" + format
        + "\"><text><![CDATA[" + text + "]]></text></questiontext><single>true</single>";
    for (const auto& [fraction, answer] : answers)
        out += "<answer fraction=\"" + std::to_string(fraction) + "\" format=\"" + format + "\"><text><![CDATA[" + answer
            + "]]></text></answer>";
    return out + "</question>\n";
}

const std::vector<FaultCase>& faultCases()
{
    static const std::vector<FaultCase> table = {
        // 1: a "~" before the "=" marks nothing.
        {"GIFT: ~= makes no blank choice",
         Format::Gift,
         "::Capital::Capital of France? {~=Paris ~Lyon ~Nice ~Metz}\n\n"
         "::Five::Pick {~=a ~b ~c ~d ~e}\n\n"
         "::Halves::Pick two {~%50%a ~%50%b ~%-100%c}\n\n"
         "::Blank::Pick {=a ~b ~}\n",
         {"Capital: Capital of France? [*Paris, Lyon, Nice, Metz]"},
         {{2, r::kTooManyChoices}, {3, r::kSeveralRight}, {4, r::kEmptyChoice}}},
        // 2: text in Moodle's auto-format is text; a choice that shows nothing is said.
        {"GIFT: default format keeps < that starts no tag",
         Format::Gift,
         "::Header::Which header declares printf? {=<stdio.h> ~<stdlib.h> ~<math.h>}\n\n"
         "::Order::Is x<y and y>z the same as z<y? {F}\n\n"
         "::Marks::Is <b>this</b> bold?<br>Yes. {T}\n\n"
         "::Drawn::[html]Which is a circle? {=<svg viewBox\\=\"0 0 2 2\"><circle r\\=\"1\"/><text>c</text></svg> ~<img src\\=\"sq.png\">}\n",
         {"Header: Which header declares printf? [*<stdio.h>, <stdlib.h>, <math.h>]",
          "Order: Is x<y and y>z the same as z<y? {F}", "Marks: Is <b>this</b> bold?\nYes. {T}"},
         {{4, r::kEmptyChoice}}},
        {"Moodle XML: auto-format keeps < that starts no tag; HTML drawings are no choices",
         Format::MoodleXml,
         moodleXml(moodleChoice("Header", "moodle_auto_format", "Which header?\nOne only.", {{100, "<stdio.h>"}, {0, "<stdlib.h>"}})
                   + moodleChoice("Svg", "html", "<p>Which?</p>", {{100, "<svg><rect width=\"1\" height=\"1\"/></svg>"}, {0, "<p>a</p>"}})
                   + moodleChoice("Md", "markdown", "Is **this** *so*?", {{100, "**yes**"}, {0, "no"}})),
         {"Header: Which header?\nOne only. [*<stdio.h>, <stdlib.h>]", "Md: Is <b>this</b> <i>so</i>? [*<b>yes</b>, no]"},
         {{2, r::kEmptyChoice}}},
        // 5: the format markers of answers are honoured, not shown.
        {"GIFT: format markers on answers and Markdown",
         Format::Gift,
         "::Nunca::[html]<p>¿Cuándo?</p> {=[moodle]Nunca. ~[plain]Siempre & más ~[html]<i>A veces</i>}\n\n"
         "::Md::[markdown]Is **this** *right*? {T}\n\n"
         "::List::[markdown]Which is first?\n"
         "1. one\n"
         "2. two\n"
         "{=[markdown]**one** ~two}\n",
         {"Nunca: ¿Cuándo? [*Nunca., Siempre & más, <i>A veces</i>]", "Md: Is <b>this</b> <i>right</i>? {T}", "List: Which is first?\n1. one\n2. two [*<b>one</b>, two]"},
         {}},
        // 6: a 0 % answer is a wrong answer with feedback.
        {"GIFT: short answers with a 0 % answer",
         Format::Gift,
         "::SA::Capital of Peru? {=Lima#Yes =%0%Cusco#It was the Inca capital =%100%lima}\n\n"
         "::Half::Capital? {=Lima =%50%Cusco}\n\n"
         "::Wrong only::Capital? {=%0%Cusco}\n",
         {"SA: Capital of Peru? {Lima | lima}"},
         {{2, r::kSeveralRight}, {3, r::kNoRightAnswer}}},
        // 7: a name may hold a colon.
        {"GIFT: a colon in the name",
         Format::Gift,
         "::Unit 3: Verbs::She {=goes ~go} home.\n\n::Ratio 1\\:2::Half of 2? {#1}\n",
         {"Unit 3: Verbs: She _____ home. [*goes, go]", "Ratio 1:2: Half of 2? {#1}"},
         {}},
        // 8: the smaller faults of GIFT.
        {"GIFT: arrows in choices, numbers with wrong feedback, general feedback, lower-case t",
         Format::Gift,
         "::Arrow::Which means implies? {=a -> b ~a <- b ~a <-> b}\n\n"
         "::Tol::Three give or take two? {#3:2 ~#Think again}\n\n"
         "::Two::Two or four? {#2 =4 ~#No}\n\n"
         "::Essay::Write about your summer. {####Mention a place.}\n\n"
         "::TF::The sky is blue. {T####It scatters blue light.}\n\n"
         "::Letter::Which letter? {t}\n\n"
         "::Pairs::Match {=a -> 1 =b -> 2}\n",
         {"Arrow: Which means implies? [*a -> b, a <- b, a <-> b]", "Tol: Three give or take two? {#1..5}",
          "Two: Two or four? {#2 | 4}", "TF: The sky is blue. {T}", "Letter: Which letter? {t}"},
         {{4, r::kEssay}, {7, r::kMatching}}},
        {"Aiken: no blank after the letter, a tab, ANSWER: B.",
         Format::Aiken,
         "Capital of Peru?\nA)Lima\nB)Cusco\nANSWER: A\n\n"
         "Two and two?\nA.\t3\nB.\t4\nANSWER: B.\n\n"
         "What does\nI.e. mean?\nA. that is\nB. for example\nANSWER: A)\n",
         {"Capital of Peru? [*Lima, Cusco]", "Two and two? [3, *4]", "What does\nI.e. mean? [*that is, for example]"},
         {}},
    };
    return table;
}

TEST(ImportFaults, RealShapedFilesComeInWhole)
{
    for (const FaultCase& c : faultCases()) {
        SCOPED_TRACE(c.what);
        const ImportResult result = ReadQuestions(c.content, c.format);
        EXPECT_EQ(result.error, 0);
        std::vector<std::string> questions;
        for (const Question& q : result.questions)
            questions.push_back(described(q));
        EXPECT_EQ(questions, c.questions);
        std::vector<std::pair<int, int>> skipped;
        for (const Skipped& s : result.skipped)
            skipped.emplace_back(s.position, s.reason);
        EXPECT_EQ(skipped, c.skipped);
        // No import yields a blank choice or a format marker in a text.
        for (const Question& q : result.questions) {
            for (const std::string& choice : q.choices) {
                EXPECT_FALSE(ShowsNothing(choice)) << described(q);
                EXPECT_EQ(choice.find("[moodle]"), std::string::npos) << described(q);
                EXPECT_EQ(choice.find("[plain]"), std::string::npos) << described(q);
            }
        }
    }
}

TEST(ImportFaults, HtmlLayoutStaysReadable)
{
    const std::pair<const char*, const char*> table[] = {
        {"<pre>int main()\n{\n    return 0;\n}</pre>", "int main()\n{\n    return 0;\n}"},
        {"<ul><li>one</li><li>two</li></ul>", "\u2022 one\n\u2022 two"},
        {"Steps:<ol><li>open</li><li>close<ul><li>gently</li></ul></li><li>leave</li></ol>",
         "Steps:\n1. open\n2. close\n\u2022 gently\n3. leave"},
        {"<table><tr><th>Port</th><th>Service</th></tr><tr><td>22</td><td>SSH</td></tr></table>", "Port | Service\n22 | SSH"},
        {"a<svg><text>drawn</text></svg>b", "ab"},
    };
    for (const auto& [html, marked] : table)
        EXPECT_EQ(MarkedTextFromHtml(html), marked) << html;
    EXPECT_EQ(MarkedTextFromHtml("<stdio.h> x<y and y>z <b>b</b>", Tags::KnownOnly), "<stdio.h> x<y and y>z <b>b</b>");
    EXPECT_EQ(MarkedTextFromMarkdown("Is **this** *so*?\n\n- one\n- two"), "Is <b>this</b> <i>so</i>?\n\u2022 one\n\u2022 two");
}

std::string bytesOf(const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

using LeftOutRow = std::tuple<int, int, std::string, MediaVerdict>;  // position, reason, file, verdict

// 3: a picture beside the GIFT file comes in as the Moodle XML reader takes an
// embedded one; no path leads out of the file's folder, and every picture or
// sound that cannot come is listed.
TEST(ImportFaults, GiftPicturesComeOnlyFromTheFilesFolder)
{
    test::TempFolder outside;
    const std::string secret = bytesOf(test::MakePicture(outside.path("secret.png"), 12, 12, "red"));
    test::TempFolder dir;
    const std::string symbol = bytesOf(test::MakePicture(dir.path("router symbol.png"), 30, 20));
    QDir().mkpath(QString::fromStdString(dir.path("img")));
    const std::string nested = bytesOf(test::MakePicture(dir.path("img/switch.png"), 20, 20, "green"));
    dir.write("fake.png", "not a picture at all");
    ASSERT_TRUE(QFile::link(QString::fromStdString(outside.path("secret.png")), QString::fromStdString(dir.path("link.png"))));
    const std::string gift = dir.write(
        "exam.gift",
        "::Symbol::[html]<p>Which element is this?</p><img src\\=\"router%20symbol.png\" alt\\=\"A round symbol\">"
        "<img src\\=\"img/switch.png\"> {=Router ~Switch ~Hub}\n\n"
        "::Nested::[html]And this? <img src\\=\"./img/switch.png\"> {=Switch ~Router}\n\n"
        "::Escapes::[html]<img src\\=\"../"
            + std::string(".") + "./etc/x.png\"><img src\\=\"img/../../secret.png\">"
                                 "<img src\\=\"/etc/secret.png\"><img src\\=\"http://example.org/a.png\"><img src\\=\"link.png\">"
                                 "<img src\\=\"fake.png\"><img src\\=\"gone.png\"> Where? {T}\n\n"
                                 "::Sound::[html]Listen: <a href\\=\"bell.mp3\">bell</a> <audio src\\=\"bell.mp3\"></audio> {F}\n\n"
                                 "::Plain::[plain]<img src\\=\"router symbol.png\"> is text here {T}\n");
    const ImportResult result = ImportQuestionFile(gift, std::nullopt);
    ASSERT_EQ(result.questions.size(), 5u);
    EXPECT_EQ(result.questions[0].picture.bytes, symbol);
    EXPECT_EQ(result.questions[0].picture.name, "router symbol.png");
    EXPECT_EQ(result.questions[0].picture.alt, "A round symbol");
    EXPECT_EQ(result.questions[0].text, "Which element is this?");
    EXPECT_EQ(result.questions[1].picture.bytes, nested);
    for (std::size_t k = 2; k < 5; ++k) {
        EXPECT_TRUE(result.questions[k].picture.bytes.empty()) << k;
        EXPECT_NE(result.questions[k].picture.bytes, secret);
    }
    std::vector<LeftOutRow> rows;
    for (const LeftOut& l : result.leftOut)
        rows.emplace_back(l.position, l.reason, l.detail, l.verdict);
    const std::vector<LeftOutRow> expected = {
        {1, r::kFileLeftOut, "img/switch.png", MediaVerdict::Ok},
        {3, r::kPictureNotBeside, "../../etc/x.png", MediaVerdict::Ok},
        {3, r::kPictureNotBeside, "img/../../secret.png", MediaVerdict::Ok},
        {3, r::kPictureNotBeside, "/etc/secret.png", MediaVerdict::Ok},
        {3, r::kPictureNotBeside, "http://example.org/a.png", MediaVerdict::Ok},
        {3, r::kPictureNotBeside, "link.png", MediaVerdict::Ok},
        {3, r::kPictureRefused, "fake.png", MediaVerdict::WrongContent},
        {3, r::kPictureNotBeside, "gone.png", MediaVerdict::Ok},
        {4, r::kSoundLeftOut, "bell.mp3", MediaVerdict::Ok},
    };
    EXPECT_EQ(rows, expected);
    // Read from bytes alone (no file, no folder), the same text takes no picture and says so.
    const ImportResult unplaced = ReadGift(bytesOf(gift));
    EXPECT_TRUE(unplaced.questions.at(0).picture.bytes.empty());
    EXPECT_EQ(unplaced.leftOut.at(0).reason, r::kPictureNotBeside);
}

// 8: a sound is said to be a sound, and a file named twice is said once.
TEST(ImportFaults, MoodleXmlSaysWhichSoundsAndPicturesStayedBehindOnce)
{
    const std::string xml = moodleXml(
        "<question type=\"truefalse\"><name><text>Bell</text></name><questiontext format=\"html\"><text><![CDATA["
        "<p>Listen: <a href=\"@@PLUGINFILE@@/bell.mp3\">bell</a>, again: <a href=\"@@PLUGINFILE@@/bell.mp3\">bell</a></p>"
        "<img src=\"@@PLUGINFILE@@/gone.png\"><img src=\"@@PLUGINFILE@@/gone.png\">]]></text>"
        "<file name=\"bell.mp3\" path=\"/\" encoding=\"base64\">SUQzAwAAAAAAAA==</file></questiontext>"
        "<answer fraction=\"100\"><text>true</text></answer><answer fraction=\"0\"><text>false</text></answer></question>\n");
    const ImportResult result = ReadMoodleXml(xml);
    ASSERT_EQ(result.questions.size(), 1u);
    std::vector<std::pair<int, std::string>> rows;
    for (const LeftOut& l : result.leftOut)
        rows.emplace_back(l.reason, l.detail);
    EXPECT_EQ(rows, (std::vector<std::pair<int, std::string>>{{r::kPictureNotInFile, "gone.png"}, {r::kSoundLeftOut, "bell.mp3"}}));
}

// 9: each category's questions, in the order the file gives them.
TEST(ImportFaults, EachQuestionKnowsItsCategory)
{
    const std::string gift = "::Loose::Before any category {T}\n\n$CATEGORY: $course$/top/Unit 1//2: Verbs\n\n::A::a {T}\n\n"
                             "$CATEGORY: $course$/top/Nouns\n\n::B::b {F}\n\n$CATEGORY: $course$/top/Unit 1//2: Verbs\n\n::C::c {T}\n";
    const ImportResult result = ReadGift(gift);
    std::vector<std::string> categories;
    for (const Question& q : result.questions)
        categories.push_back(q.category);
    EXPECT_EQ(categories, (std::vector<std::string>{"", "Unit 1/2: Verbs", "Nouns", "Unit 1/2: Verbs"}));
    const std::string xml = moodleXml(
        "<question type=\"category\"><category><text>$course$/top/Física</text></category></question>\n"
        + moodleChoice("One", "html", "x", {{100, "a"}, {0, "b"}})
        + "<question type=\"category\"><category><text>$course$/top/Química</text></category></question>\n"
        + moodleChoice("Two", "html", "y", {{100, "a"}, {0, "b"}}));
    const ImportResult fromXml = ReadMoodleXml(xml);
    ASSERT_EQ(fromXml.questions.size(), 2u);
    EXPECT_EQ(fromXml.questions[0].category, "Física");
    EXPECT_EQ(fromXml.questions[1].category, "Química");
    EXPECT_EQ(fromXml.category, "");
}

}  // namespace
}  // namespace dorvel::exchange
