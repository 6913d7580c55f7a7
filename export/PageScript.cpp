#include "export/PageScript.h"

#include <array>
#include <cstdint>

namespace dorvel {

namespace {

// windows-1252 at 0x80 to 0x9F; the undefined bytes keep their own code.
constexpr std::array<std::uint16_t, 32> kWindows1252{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                                     0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendHex(std::string& out, unsigned value, int digits)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 0xF];
}

}  // namespace

std::string PageTextLiteral(std::string_view latin1)
{
    // Pages are tens of kilobytes of mostly plain text: runs of characters
    // that need no escape are copied whole.
    static constexpr auto kPlain = [] {
        std::array<bool, 256> plain{};
        for (unsigned c = 0x20; c < 0x7F; ++c)
            plain[c] = c != '\\' && c != '\'' && c != '<';
        return plain;
    }();
    std::string out;
    out.reserve(latin1.size() + latin1.size() / 16 + 2);
    out += '\'';
    std::size_t i = 0;
    while (i < latin1.size()) {
        std::size_t run = i;
        while (run < latin1.size() && kPlain[static_cast<unsigned char>(latin1[run])])
            ++run;
        out.append(latin1.substr(i, run - i));
        if (run == latin1.size())
            break;
        i = run;
        const char ch = latin1[i];
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '\\': out += "\\\\"; break;
        case '\'': out += "\\'"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '<':
            // "</script" would end an inline script, "<!--" would change how it is read.
            out += '<';
            if (i + 1 < latin1.size() && (latin1[i + 1] == '/' || latin1[i + 1] == '!'))
                out += '\\';
            break;
        default:
            if (c >= 0x80 && c <= 0x9F) {
                out += "\\u";
                appendHex(out, kWindows1252[c - 0x80], 4);
            } else {
                out += "\\x";
                appendHex(out, c, 2);
            }
        }
        ++i;
    }
    out += '\'';
    return out;
}

std::string PageTextAssignment(std::string_view name, std::string_view text)
{
    return "pageTexts[" + PageTextLiteral(name) + "] = " + PageTextLiteral(text) + ";\n";
}

void TestPages::add(std::string name, std::string text)
{
    for (auto& page : pages_) {
        if (page.first == name) {
            page.second = std::move(text);
            return;
        }
    }
    pages_.emplace_back(std::move(name), std::move(text));
}

std::string TestPages::scriptText() const
{
    std::string out = "var pageTexts = {};\n";
    for (const auto& [name, text] : pages_)
        out += PageTextAssignment(name, text);
    return out;
}

}  // namespace dorvel
