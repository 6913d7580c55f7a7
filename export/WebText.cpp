#include "export/WebText.h"

#include "storage/TextCodec.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace dorvel {

namespace {

struct NamedColour {
    std::string_view name;
    std::string_view html;
};

// The named colours, and fixed values for the system colours (the classic
// Windows scheme): a web page cannot ask the author's desktop for them.
constexpr std::array<NamedColour, 45> kNamedColours{{
    {"clBlack", "000000"},
    {"clMaroon", "800000"},
    {"clGreen", "008000"},
    {"clOlive", "808000"},
    {"clNavy", "000080"},
    {"clPurple", "800080"},
    {"clTeal", "008080"},
    {"clGray", "808080"},
    {"clSilver", "c0c0c0"},
    {"clRed", "ff0000"},
    {"clLime", "00ff00"},
    {"clYellow", "ffff00"},
    {"clBlue", "0000ff"},
    {"clFuchsia", "ff00ff"},
    {"clAqua", "00ffff"},
    {"clWhite", "ffffff"},
    {"clMoneyGreen", "c0dcc0"},
    {"clSkyBlue", "a6caf0"},
    {"clCream", "fffbf0"},
    {"clMedGray", "a0a0a4"},
    {"clScrollBar", "d4d0c8"},
    {"clBackground", "3a6ea5"},
    {"clActiveCaption", "0a246a"},
    {"clInactiveCaption", "808080"},
    {"clMenu", "d4d0c8"},
    {"clWindow", "ffffff"},
    {"clWindowFrame", "000000"},
    {"clMenuText", "000000"},
    {"clWindowText", "000000"},
    {"clCaptionText", "ffffff"},
    {"clActiveBorder", "d4d0c8"},
    {"clInactiveBorder", "d4d0c8"},
    {"clAppWorkSpace", "808080"},
    {"clHighlight", "0a246a"},
    {"clHighlightText", "ffffff"},
    {"clBtnFace", "d4d0c8"},
    {"clBtnShadow", "808080"},
    {"clGrayText", "808080"},
    {"clBtnText", "000000"},
    {"clInactiveCaptionText", "d4d0c8"},
    {"clBtnHighlight", "ffffff"},
    {"cl3DDkShadow", "404040"},
    {"cl3DLight", "d4d0c8"},
    {"clInfoText", "000000"},
    {"clInfoBk", "ffffe1"},
}};

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The colour value of a number text, as a 32-bit pattern; false when the text
// is not a number that fits.
bool colourNumber(std::string_view s, std::uint32_t& value)
{
    if (s.empty())
        return false;
    int base = 10;
    bool negative = false;
    if (s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    } else if (s.front() == '-' || s.front() == '+') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return false;
    std::uint64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (ec != std::errc() || end != s.data() + s.size())
        return false;
    if (base == 16) {
        if (v > 0xffffffffULL)
            return false;
        value = static_cast<std::uint32_t>(v);
        return true;
    }
    if (negative ? v > 0x80000000ULL : v > 0x7fffffffULL)
        return false;
    const std::int64_t signedValue = negative ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
    value = static_cast<std::uint32_t>(static_cast<std::int32_t>(signedValue));
    return true;
}

std::string lowerExtension(std::string_view fileName)
{
    const auto slash = fileName.find_last_of("\\/");
    if (slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    std::string ext(fileName.substr(dot));
    for (char& c : ext)
        c = lower(c);
    return ext;
}

const char kHex[] = "0123456789ABCDEF";

void appendHexEscape(std::string& out, unsigned char c)
{
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 15];
}

void appendUnicodeEscape(std::string& out, char32_t c)
{
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(c >> shift) & 15];
}

}  // namespace

std::string TrimComma(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.back() == ',')
        text.remove_suffix(1);
    return std::string(text);
}

std::string HtmlColour(std::string_view colourText, std::string_view fallback)
{
    const std::string_view s = trimmed(colourText);
    for (const NamedColour& c : kNamedColours) {
        if (equalsNoCase(s, c.name))
            return std::string(c.html);
    }
    std::uint32_t value = 0;
    if (!colourNumber(s, value))
        return std::string(fallback);
    // At least six upper-case hex digits; the pairs are read back to front
    // (blue green red in the value, red green blue on the page).
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", value);
    const std::string hex(buffer);
    std::string out = hex.substr(4, 2) + hex.substr(2, 2) + hex.substr(0, 2);
    for (char& c : out)
        c = lower(c);
    return out;
}

std::string AudioType(std::string_view fileName)
{
    const std::string ext = lowerExtension(fileName);
    if (ext == ".mp3" || ext == ".mp2")
        return "x-mpg";
    if (ext == ".wav")
        return "wav";
    if (ext == ".aif")
        return "x-aiff";
    return ext;
}

bool BrowserPlaysVideo(std::string_view fileName)
{
    const std::string ext = lowerExtension(fileName);
    return ext == ".mp4" || ext == ".m4v" || ext == ".webm" || ext == ".ogv" || ext == ".ogg";
}

namespace {

std::string htmlEscaped(std::string_view text, bool attribute)
{
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : CodePoints(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'':
            out += attribute ? "&#39;" : "'";
            break;
        default:
            // Pages are ASCII whatever character set they declare: every
            // other character is a reference, and control characters other
            // than blanks, which no page can show, are left out.
            if ((c >= 32 && c < 127) || c == '\t' || c == '\r' || c == '\n')
                out += static_cast<char>(c);
            else if (c >= 0xA0)
                out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
        }
    }
    return out;
}

}  // namespace

std::string HtmlText(std::string_view text)
{
    return htmlEscaped(text, false);
}

std::string HtmlAttr(std::string_view text)
{
    return htmlEscaped(text, true);
}

std::string JsString(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char32_t c : CodePoints(text)) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\'': out += "\\'"; break;
        case '"': out += "\\\""; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '<':
        case '>':
        case '&': appendHexEscape(out, static_cast<unsigned char>(c)); break;
        default:
            if (c < 32 || c == 127)
                appendHexEscape(out, static_cast<unsigned char>(c));
            else if (c < 127)
                out += static_cast<char>(c);
            else if (c < 0x10000)
                appendUnicodeEscape(out, c);
            else {
                // Outside the basic plane a script string holds a surrogate pair.
                const char32_t v = c - 0x10000;
                appendUnicodeEscape(out, 0xD800 + (v >> 10));
                appendUnicodeEscape(out, 0xDC00 + (v & 0x3FF));
            }
        }
    }
    return out;
}

std::string UrlPath(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || ch == '-' || ch == '.' || ch == '_' || ch == '~' || ch == '/' || ch == '(' || ch == ')'
            || ch == '!' || ch == '*' || ch == ',' || ch == ';' || ch == '=' || ch == '@' || ch == '+'
            || ch == '$' || ch == ':';
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string JsLiteral(std::string_view text)
{
    const std::string_view s = trimmed(text);
    if (s == "true" || s == "false")
        return std::string(s);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0 || i != s.size())
        return "0";
    return std::string(s);
}

std::string SafeId(std::string_view id)
{
    std::string out;
    out.reserve(id.size());
    for (const char c : id) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
            out += c;
    }
    return out;
}

std::string PackPlainText(std::string_view text)
{
    static constexpr std::array<std::pair<std::string_view, char>, 5> kNamed{{
        {"nbsp", '\xA0'},
        {"amp", '&'},
        {"lt", '<'},
        {"gt", '>'},
        {"quot", '"'},
    }};
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
        if (semicolon == std::string_view::npos || semicolon - i > 8) {
            out += text[i];
            continue;
        }
        const std::string_view name = text.substr(i + 1, semicolon - i - 1);
        int code = -1;
        for (const auto& [entity, c] : kNamed) {
            if (name == entity)
                code = static_cast<unsigned char>(c);
        }
        if (name.size() > 1 && name[0] == '#') {
            int value = 0;
            const auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), value);
            if (ec == std::errc() && end == name.data() + name.size() && value > 0 && value < 256)
                code = value;
        }
        if (code < 0) {
            out += text[i];
            continue;
        }
        out += static_cast<char>(code);
        i = semicolon;
    }
    return out;
}

std::string FlatName(std::string_view path)
{
    const auto slash = path.find_last_of("\\/");
    const std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string name(last);
    for (const std::string_view marker : {std::string_view("Buttons\\"), std::string_view("Buttons/")}) {
        const auto p = path.find(marker);
        if (p == std::string_view::npos)
            continue;
        std::string rest(path.substr(p + marker.size()));
        const auto sep = rest.find_first_of("\\/");
        if (sep != std::string::npos)
            rest.erase(sep, 1);
        // Only a style folder and its file join; anything deeper or any ".."
        // would leave the test folder, and the file keeps its own name.
        if (rest.find_first_of("\\/") == std::string::npos && rest.find("..") == std::string::npos)
            name = std::move(rest);
        break;
    }
    if (name.empty() || name == "." || name == "..")
        return {};
    return name;
}

}  // namespace dorvel
