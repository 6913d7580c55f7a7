#include "storage/Vtutils.h"

#include "storage/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <cstring>

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

// Tagged text is full of '<', which makes a plain find() compare at almost
// every element; a substring search that skips ahead keeps reading a whole
// set file (a hundred fields looked up in 150 KB) to a millisecond or two.
std::size_t findTag(std::string_view text, std::string_view tag, std::size_t from = 0)
{
    // Also keeps memmem from an empty view's null pointer.
    if (from > text.size() || tag.empty() || text.size() - from < tag.size())
        return std::string_view::npos;
#if defined(__GLIBC__)
    const void* hit = memmem(text.data() + from, text.size() - from, tag.data(), tag.size());
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
#else
    return text.find(tag, from);
#endif
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
    const auto p = findTag(text, open);
    if (p == std::string_view::npos)
        return {};
    // The closing tag is searched from the start of the text, not from the
    // opening tag: a stray closing tag ahead of the element hides it.
    const auto q = findTag(text, closeTag(name));
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
    const auto p = findTag(text, open);
    if (p == std::string_view::npos)
        return std::string(text);
    const auto q = findTag(text, close, p);
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

std::string WithTypedLine(std::string_view text, std::string_view name, std::string_view typed)
{
    std::string line(typed);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const std::string stored = CleanText(line);
    if (stored.empty())
        return GetTag(text, name).empty() ? std::string(text) : RemoveTag(text, name);
    return SetTag(text, name, stored);
}

}  // namespace dorvel
