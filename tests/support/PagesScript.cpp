#include "tests/support/PagesScript.h"

#include "export/PageScript.h"
#include "storage/FileUtils.h"

#include <gtest/gtest.h>

namespace dorvel::test {

namespace {

// The text of one script string literal starting at `pos` (its opening
// quote), read as a browser reads it back into windows-1252 bytes; `pos`
// ends behind the closing quote.
std::string readLiteral(const std::string& script, std::size_t& pos)
{
    static const std::map<unsigned, char> kWindows1252{{0x20AC, '\x80'}, {0x201A, '\x82'}, {0x0192, '\x83'}, {0x201E, '\x84'}, {0x2026, '\x85'}, {0x2020, '\x86'}, {0x2021, '\x87'}, {0x02C6, '\x88'}, {0x2030, '\x89'}, {0x0160, '\x8a'}, {0x2039, '\x8b'}, {0x0152, '\x8c'}, {0x017D, '\x8e'}, {0x2018, '\x91'}, {0x2019, '\x92'}, {0x201C, '\x93'}, {0x201D, '\x94'}, {0x2022, '\x95'}, {0x2013, '\x96'}, {0x2014, '\x97'}, {0x02DC, '\x98'}, {0x2122, '\x99'}, {0x0161, '\x9a'}, {0x203A, '\x9b'}, {0x0153, '\x9c'}, {0x017E, '\x9e'}, {0x0178, '\x9f'}};
    EXPECT_EQ(script[pos], '\'');
    std::string text;
    for (++pos; pos < script.size() && script[pos] != '\''; ++pos) {
        const char c = script[pos];
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "plain ASCII only";
        if (c != '\\') {
            text += c;
            continue;
        }
        const char e = script[++pos];
        if (e == 'r' || e == 'n') {
            text += e == 'r' ? '\r' : '\n';
        } else if (e == 'x' || e == 'u') {
            const std::size_t digits = e == 'x' ? 2 : 4;
            const unsigned code = static_cast<unsigned>(std::stoul(script.substr(pos + 1, digits), nullptr, 16));
            pos += digits;
            const auto mapped = kWindows1252.find(code);
            text += mapped != kWindows1252.end() ? mapped->second : static_cast<char>(code);
        } else {
            text += e;
        }
    }
    ++pos;
    return text;
}

}  // namespace

std::map<std::string, std::string> ReadPagesScript(const std::string& script)
{
    std::map<std::string, std::string> pages;
    const std::string assignment = "pageTexts[";
    for (auto pos = script.find(assignment); pos != std::string::npos; pos = script.find(assignment, pos)) {
        pos += assignment.size();
        const std::string name = readLiteral(script, pos);
        EXPECT_EQ(script.substr(pos, 4), "] = ");
        pos += 4;
        pages[name] = readLiteral(script, pos);
    }
    return pages;
}

std::string PageText(const std::string& testFolder, const std::string& name)
{
    std::string script;
    EXPECT_TRUE(ReadFileBytes(JoinPath(testFolder, std::string(kPagesScriptName)), script)) << testFolder;
    const auto pages = ReadPagesScript(script);
    const auto page = pages.find(name);
    return page == pages.end() ? std::string() : page->second;
}

}  // namespace dorvel::test
