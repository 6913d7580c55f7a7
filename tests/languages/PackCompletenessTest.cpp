#include "languages/ComponentLine.h"
#include "languages/LangStrings.h"
#include "media/MediaFileCheck.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QRegularExpression>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace dorvel {
namespace {

const char* const kLanguages[] = {"English (UK)", "Deutsch"};

std::string Built(const std::string& name)
{
    return JoinPath(DORVEL_BUILD_INSTALL_DIR, name);
}

struct Pack {
    LangStrings strings;
    std::set<int> set;  // entries the pack sets
    std::set<std::pair<std::string, std::string>> components;
    std::set<int> hints;
};

Pack ReadPack(const std::string& language)
{
    Pack pack;
    const std::string text = ReadStoredFile(Built("DVLang/" + language + ".vtc"));
    EXPECT_FALSE(text.empty()) << language;
    pack.strings.applyPack(text, [&](const std::string& line) {
        const ComponentLine c = ParseComponentLine(line);
        pack.components.insert({c.component, c.property});
        if (const auto n = HintNumber(c.property); n && *n > 0)
            pack.hints.insert(*n);
    });
    for (int n = LangStrings::kFirstPackEntry; n < LangStrings::kCount; ++n)
        if (!pack.strings.at(n).empty())
            pack.set.insert(n);
    return pack;
}

std::string SourceText(const std::string& path)
{
    std::string source;
    ReadFileBytes(path, source);
    return source;
}

// The pack entries languages/Messages.h names: name to number.
std::map<QString, int> MessageNumbers()
{
    std::map<QString, int> numbers;
    const QRegularExpression entry(QStringLiteral(R"re((?m)^\s+(\w+) = (\d+),)re"));
    auto matches = entry.globalMatch(QString::fromUtf8(SourceText(JoinPath(DORVEL_SOURCE_DIR, "languages/Messages.h"))));
    while (matches.hasNext()) {
        const QRegularExpressionMatch m = matches.next();
        numbers[m.captured(1)] = m.captured(2).toInt();
    }
    return numbers;
}

// Every message the program's sources name: a key ("s19") or a name
// (Message::TooManySets); s1 to s8 are not message keys but field names of
// the question files. With `spokenOnly`, only the messages that are also
// said (handed on as a key: MessageKey, ShowMessageKey, reportWithPath).
std::set<int> MessageKeysInTheSources(bool spokenOnly = false)
{
    std::set<int> keys;
    const std::map<QString, int> numbers = MessageNumbers();
    const QRegularExpression literal(QStringLiteral(R"re("s(\d+)")re"));
    const QRegularExpression named(QStringLiteral(R"re(Message::(\w+))re"));
    const QRegularExpression spoken(QStringLiteral(R"re((?:MessageKey|ShowMessageKey|reportWithPath)\(([^;]*))re"));
    for (const char* folder : {"storage", "editor", "shell", "building", "export", "app", "cli", "paper", "player"}) {
        QDirIterator it(toQString(JoinPath(DORVEL_SOURCE_DIR, folder)), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = QString::fromUtf8(SourceText(fromQString(it.next())));
            auto literals = literal.globalMatch(source);
            while (literals.hasNext()) {
                const int n = literals.next().captured(1).toInt();
                if (n >= LangStrings::kFirstPackEntry)
                    keys.insert(n);
            }
            std::vector<QString> places{source};
            if (spokenOnly) {
                places.clear();
                auto calls = spoken.globalMatch(source);
                while (calls.hasNext())
                    places.push_back(calls.next().captured(1));
            }
            for (const QString& place : places) {
                auto names = named.globalMatch(place);
                while (names.hasNext()) {
                    const QString name = names.next().captured(1);
                    EXPECT_TRUE(numbers.count(name)) << name.toStdString();
                    if (numbers.count(name))
                        keys.insert(numbers.at(name));
                }
            }
        }
    }
    return keys;
}

// Language strings the program shows by number rather than by key: labels,
// progress texts, parts of questions and the web test's texts.
std::set<int> StringsShownByNumber()
{
    std::set<int> numbers = {9, 13, 14, 17, 18, 25, 26, 31, 36, 46, 47, 55, 58, 59, 63, 64, 86, 88, 112, 113, 114};
    for (int n = 66; n <= 87; ++n)
        numbers.insert(n);
    for (int n = 90; n <= 96; ++n)
        numbers.insert(n);
    for (int n = 100; n <= 111; ++n)
        numbers.insert(n);
    return numbers;
}

TEST(PackCompleteness, EveryKeyTheProgramUsesHasATextInEveryPack)
{
    const std::set<int> keys = MessageKeysInTheSources();
    // The sources are really being read: these keys are shown by the editor.
    for (int known : {19, 20, 22, 23, 24, 27, 37, 45})
        EXPECT_TRUE(keys.count(known)) << "s" << known << " not found in the sources";
    std::set<int> wanted = keys;
    wanted.merge(StringsShownByNumber());
    for (const char* language : kLanguages) {
        const Pack pack = ReadPack(language);
        for (int n : wanted)
            EXPECT_TRUE(pack.set.count(n)) << language << " has no text for s" << n;
    }
}

TEST(PackCompleteness, EveryMessageKeyAndNumberedHintHasARecording)
{
    const Pack english = ReadPack("English (UK)");
    std::vector<std::string> names;
    for (int n : MessageKeysInTheSources(true))
        names.push_back(MessageKey(n) + ".wav");
    for (int n : english.hints)
        names.push_back("Hint" + std::to_string(n) + ".wav");
    ASSERT_GT(english.hints.size(), 30u);
    for (const std::string& name : names) {
        const std::string file = Built("DVSounds/" + name);
        EXPECT_TRUE(FileExists(file)) << name;
        EXPECT_GT(FileSize(file), 1000) << name;
        std::string head;
        ReadFileBytes(file, head);
        EXPECT_EQ(head.substr(0, 4), "RIFF") << name;
        EXPECT_TRUE(CheckMediaFile(file)) << name;
    }
}

TEST(PackCompleteness, TheTranslationSetsWhatTheEnglishPackSets)
{
    const Pack english = ReadPack("English (UK)");
    for (const char* language : kLanguages) {
        const Pack pack = ReadPack(language);
        EXPECT_EQ(pack.set, english.set) << language;
        EXPECT_EQ(pack.components, english.components) << language;
        EXPECT_EQ(pack.hints, english.hints) << language;
    }
}

// The web test's texts go into script strings between single quotes.
TEST(PackCompleteness, WebTestTextsHoldNoQuotes)
{
    for (const char* language : kLanguages) {
        const Pack pack = ReadPack(language);
        for (int n = 66; n <= 111; ++n)
            EXPECT_EQ(pack.strings.at(n).find_first_of("'\"\\\r\n"), std::string::npos)
                << language << " s" << n << ": " << pack.strings.at(n);
    }
}

// Both guides: every link leads to a page of the same guide, and the German
// guide has every page the English one has.
TEST(HelpPages, EveryLinkLeadsToAPageOfTheHelp)
{
    const QRegularExpression link(QStringLiteral(R"re(href="([^"]*)")re"));
    const std::string english = JoinPath(DORVEL_SOURCE_DIR, "data/help");
    for (const std::string& folder : {english, JoinPath(english, "Deutsch")}) {
        SCOPED_TRACE(folder);
        int links = 0;
        for (const std::string& page : ListFiles(folder)) {
            if (ExtractFileExt(page) != ".htm" && ExtractFileExt(page) != ".html")
                continue;
            std::string html;
            ASSERT_TRUE(ReadFileBytes(JoinPath(folder, page), html));
            EXPECT_NE(html.find("<title>"), std::string::npos) << page;
            auto matches = link.globalMatch(QString::fromUtf8(html.c_str()));
            while (matches.hasNext()) {
                const std::string target = fromQString(matches.next().captured(1));
                if (target.find("://") != std::string::npos)
                    continue;
                ++links;
                EXPECT_TRUE(FileExists(JoinPath(folder, target.substr(0, target.find('#'))))) << page << " -> " << target;
            }
            if (folder != english)
                continue;
            EXPECT_TRUE(FileExists(JoinPath(JoinPath(english, "Deutsch"), page))) << "no German " << page;
        }
        EXPECT_GT(links, 20);
    }
    for (const char* topic : {"LinksDV.html", "F30ScreenSize.htm", "S08Start.htm", "S09Start.htm", "F03Installation.htm"}) {
        EXPECT_TRUE(FileExists(Built(std::string("DVHelp/") + topic))) << topic;
        EXPECT_TRUE(FileExists(Built(std::string("DVHelp/Deutsch/") + topic))) << topic;
    }
}

}  // namespace
}  // namespace dorvel
