#include "storage/Vtutils.h"

#include <charconv>

namespace dorvel {

namespace {

std::string openTag(std::string_view name)
{
    std::string t;
    t.reserve(name.size() + 2);
    t += '<';
    t += name;
    t += '>';
    return t;
}

std::string closeTag(std::string_view name)
{
    std::string t;
    t.reserve(name.size() + 3);
    t += "</";
    t += name;
    t += '>';
    return t;
}

// Blanks and control bytes, as the format trims them.
bool isTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isTrimmed(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isTrimmed(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::string GetTag(std::string_view text, std::string_view name)
{
    const std::string open = openTag(name);
    const auto p = text.find(open);
    if (p == std::string_view::npos)
        return {};
    // The closing tag is searched from the start of the text, not from the
    // opening tag: a stray closing tag ahead of the element hides it.
    const auto q = text.find(closeTag(name));
    if (q == std::string_view::npos)
        return {};
    const auto s = p + open.size();
    if (q <= s)
        return {};
    return std::string(text.substr(s, q - s));
}

int GetTagInt(std::string_view text, std::string_view name, int def)
{
    const std::string v = GetTag(text, name);
    std::string_view s = v;
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    if (s.empty())
        return def;
    if (s.front() == '+')
        s.remove_prefix(1);
    if (s.empty() || s.front() == '+')
        return def;
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return def;
    return value;
}

std::string RemoveTag(std::string_view text, std::string_view name)
{
    const std::string open = openTag(name);
    const std::string close = closeTag(name);
    const auto p = text.find(open);
    if (p == std::string_view::npos)
        return std::string(text);
    const auto q = text.find(close, p);
    if (q == std::string_view::npos)
        return std::string(text);
    std::string result(trimmed(text.substr(0, p)));
    result += trimmed(text.substr(q + close.size()));
    return result;
}

std::string SetTag(std::string_view text, std::string_view name, std::string_view value)
{
    std::string rest = RemoveTag(text, name);
    std::string result;
    result.reserve(rest.size() + value.size() + 2 * name.size() + 6);
    result += '<';
    result += name;
    result += '>';
    result += value;
    result += "</";
    result += name;
    result += "> ";
    result += rest;
    return result;
}

std::string CleanText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool allowed = (c >= 32 && c <= 126 && c != 34 && c != 94 && c != 96) || c == 163;
        if (!allowed)
            continue;
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += ch;
    }
    const std::string_view t = trimmed(out);
    // Only blanks can be left at the ends here; trimmed() also drops them.
    return std::string(t);
}

}  // namespace dorvel
