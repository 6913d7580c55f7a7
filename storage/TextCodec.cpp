#include "storage/TextCodec.h"

#include <array>
#include <cstdint>

namespace dorvel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr unsigned char kPound = 163;

// Latin-1's named entities, code points 160 to 255 in order: authors of the
// original format typed them by hand.
constexpr std::array<std::string_view, 96> kLatin1Names = {
    "nbsp",
    "iexcl",
    "cent",
    "pound",
    "curren",
    "yen",
    "brvbar",
    "sect",
    "uml",
    "copy",
    "ordf",
    "laquo",
    "not",
    "shy",
    "reg",
    "macr",
    "deg",
    "plusmn",
    "sup2",
    "sup3",
    "acute",
    "micro",
    "para",
    "middot",
    "cedil",
    "sup1",
    "ordm",
    "raquo",
    "frac14",
    "frac12",
    "frac34",
    "iquest",
    "Agrave",
    "Aacute",
    "Acirc",
    "Atilde",
    "Auml",
    "Aring",
    "AElig",
    "Ccedil",
    "Egrave",
    "Eacute",
    "Ecirc",
    "Euml",
    "Igrave",
    "Iacute",
    "Icirc",
    "Iuml",
    "ETH",
    "Ntilde",
    "Ograve",
    "Oacute",
    "Ocirc",
    "Otilde",
    "Ouml",
    "times",
    "Oslash",
    "Ugrave",
    "Uacute",
    "Ucirc",
    "Uuml",
    "Yacute",
    "THORN",
    "szlig",
    "agrave",
    "aacute",
    "acirc",
    "atilde",
    "auml",
    "aring",
    "aelig",
    "ccedil",
    "egrave",
    "eacute",
    "ecirc",
    "euml",
    "igrave",
    "iacute",
    "icirc",
    "iuml",
    "eth",
    "ntilde",
    "ograve",
    "oacute",
    "ocirc",
    "otilde",
    "ouml",
    "divide",
    "oslash",
    "ugrave",
    "uacute",
    "ucirc",
    "uuml",
    "yacute",
    "thorn",
    "yuml",
};

// Windows-1252 bytes 0x80 to 0x9F; the five it leaves free stay C1 controls.
constexpr std::array<char16_t, 32> kWindows1252 = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

char32_t ansiCharacter(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? kWindows1252[b - 0x80] : b;
}

bool isCharacter(char32_t c)
{
    return c > 0 && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The UTF-8 sequence at `at`: its code point and length, or length 0 when
// the bytes there are not well-formed UTF-8 (overlong, surrogate, cut off).
struct Utf8Char {
    char32_t code = 0;
    std::size_t length = 0;
};

Utf8Char readUtf8(std::string_view s, std::size_t at)
{
    const auto b0 = static_cast<unsigned char>(s[at]);
    if (b0 < 0x80)
        return {b0, 1};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, code = b0 & 0x1F, least = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, code = b0 & 0x0F, least = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, code = b0 & 0x07, least = 0x10000;
    } else {
        return {};
    }
    if (at + length > s.size())
        return {};
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[at + k]);
        if ((b & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (b & 0x3F);
    }
    if (code < least || !isCharacter(code))
        return {};
    return {code, length};
}

// A reference at `at` (which holds '&'): the character and the reference's
// length, or length 0 when the text there is no reference we read.
Utf8Char readReference(std::string_view s, std::size_t at)
{
    // Longest reference read: "&#1114111;" or a name of six letters.
    const std::size_t semicolon = s.find(';', at + 1);
    if (semicolon == std::string_view::npos || semicolon - at > 10)
        return {};
    const std::string_view body = s.substr(at + 1, semicolon - at - 1);
    const std::size_t length = semicolon - at + 1;
    if (body.size() >= 2 && body[0] == '#') {
        const bool hex = body[1] == 'x' || body[1] == 'X';
        const std::string_view digits = body.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 7)
            return {};
        char32_t code = 0;
        for (const char d : digits) {
            int v = -1;
            if (d >= '0' && d <= '9')
                v = d - '0';
            else if (hex && d >= 'a' && d <= 'f')
                v = d - 'a' + 10;
            else if (hex && d >= 'A' && d <= 'F')
                v = d - 'A' + 10;
            if (v < 0)
                return {};
            code = code * (hex ? 16 : 10) + static_cast<char32_t>(v);
        }
        return isCharacter(code) ? Utf8Char{code, length} : Utf8Char{};
    }
    if (body == "amp")
        return {'&', length};
    if (body == "lt")
        return {'<', length};
    if (body == "gt")
        return {'>', length};
    if (body == "quot")
        return {'"', length};
    if (body == "apos")
        return {'\'', length};
    for (std::size_t i = 0; i < kLatin1Names.size(); ++i)
        if (body == kLatin1Names[i])
            return {static_cast<char32_t>(160 + i), length};
    return {};
}

void appendReference(std::string& out, char32_t c)
{
    out += "&#";
    out += std::to_string(static_cast<std::uint32_t>(c));
    out += ';';
}

}  // namespace

std::string EncodeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size();) {
        Utf8Char ch = readUtf8(text, i);
        if (ch.length == 0)
            ch = {kReplacement, 1};
        i += ch.length;
        const char32_t c = ch.code == 0 ? kReplacement : ch.code;
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c >= 32 && c <= 126 && c != '"' && c != '^' && c != '`')
            out += static_cast<char>(c);
        else if (c == kPound)
            out += static_cast<char>(kPound);
        else
            appendReference(out, c);
    }
    return out;
}

std::string DecodeText(std::string_view stored)
{
    std::string out;
    out.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size();) {
        const char b = stored[i];
        const auto u = static_cast<unsigned char>(b);
        if (b == '&') {
            const Utf8Char ref = readReference(stored, i);
            if (ref.length > 0) {
                appendUtf8(out, ref.code);
                i += ref.length;
                continue;
            }
        }
        if (u < 0x80) {
            out += b;
            ++i;
            continue;
        }
        const Utf8Char ch = readUtf8(stored, i);
        if (ch.length > 0) {
            out.append(stored.substr(i, ch.length));
            i += ch.length;
            continue;
        }
        appendUtf8(out, ansiCharacter(u));
        ++i;
    }
    return out;
}

std::string SafeStoredValue(std::string_view stored)
{
    return EncodeText(DecodeText(stored));
}

std::string CleanText(std::string_view typed)
{
    std::string text;
    text.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size();) {
        Utf8Char ch = readUtf8(typed, i);
        if (ch.length == 0)
            ch = {kReplacement, 1};
        const char32_t c = ch.code;
        if (c == '\r' || c == '\n') {
            // CR LF is one line break.
            i += (c == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n') ? 2 : 1;
            text += '\n';
            continue;
        }
        i += ch.length;
        if (c == '\t' || c == ' ') {
            if (!text.empty() && text.back() != ' ')
                text += ' ';
            continue;
        }
        if (c < 32 || (c >= 0x7F && c < 0xA0))
            continue;
        appendUtf8(text, c);
    }
    const std::size_t first = text.find_first_not_of(" \n");
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \n");
    return EncodeText(std::string_view(text).substr(first, last - first + 1));
}

std::u32string CodePoints(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char ch = readUtf8(text, i);
        if (ch.length > 0) {
            out += ch.code;
            i += ch.length;
        } else {
            out += ansiCharacter(static_cast<unsigned char>(text[i]));
            ++i;
        }
    }
    return out;
}

std::string EncodeUtf8(char32_t c)
{
    std::string out;
    appendUtf8(out, isCharacter(c) ? c : kReplacement);
    return out;
}

std::size_t TextLength(std::string_view text)
{
    return CodePoints(text).size();
}

}  // namespace dorvel
