#include "exchange/MarkedText.h"

#include "export/InlineMarks.h"
#include "storage/TextCodec.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

#include <cmark.h>

namespace dorvel::exchange {

namespace {

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The first `needle` (lower case) in `s` from `from`, letters of any case.
std::size_t findNoCase(std::string_view s, std::string_view needle, std::size_t from)
{
    for (std::size_t i = from; i + needle.size() <= s.size(); ++i) {
        std::size_t k = 0;
        while (k < needle.size() && std::tolower(static_cast<unsigned char>(s[i + k])) == needle[k])
            ++k;
        if (k == needle.size())
            return i;
    }
    return std::string_view::npos;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// What an HTML element does to the marked text.
struct ElementEffect {
    std::string_view name;
    std::string_view mark;  // the mark it becomes, "" for none
    bool breaks = false;    // a line break before and after it
};

constexpr std::array<ElementEffect, 20> kElements = {{
    {"b", "b", false},
    {"strong", "b", false},
    {"i", "i", false},
    {"em", "i", false},
    {"u", "u", false},
    {"sub", "sub", false},
    {"sup", "sup", false},
    {"br", "", true},
    {"p", "", true},
    {"div", "", true},
    {"li", "", true},
    {"tr", "", true},
    {"h1", "", true},
    {"h2", "", true},
    {"h3", "", true},
    {"h4", "", true},
    {"h5", "", true},
    {"h6", "", true},
    {"pre", "", true},
    {"blockquote", "", true},
}};

const ElementEffect* effectOf(std::string_view name)
{
    for (const ElementEffect& e : kElements)
        if (e.name == name)
            return &e;
    return nullptr;
}

// Appends HTML text (white space collapsed as a browser does) to `out`.
void appendHtmlText(std::string& out, std::string_view text)
{
    std::string collapsed;
    for (const char c : text) {
        if (isSpace(c)) {
            if (collapsed.empty() || collapsed.back() != ' ')
                collapsed += ' ';
        } else {
            collapsed += c;
        }
    }
    if (collapsed.empty())
        return;
    if (collapsed.front() == ' ' && (out.empty() || out.back() == ' ' || out.back() == '\n'))
        collapsed.erase(0, 1);
    out += DecodeText(collapsed);
}

// Where the tag that starts at `from` ("<") ends: its ">" outside quoted
// attribute values (alt="a > b" does not end it), or npos.
std::size_t tagEnd(std::string_view html, std::size_t from)
{
    char quote = 0;
    char before = 0;  // the last character outside values that is no blank
    for (std::size_t i = from; i < html.size(); ++i) {
        const char c = html[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '>')
            return i;
        // Only a quote that opens a value counts (a stray one is text).
        if ((c == '"' || c == '\'') && before == '=')
            quote = c;
        if (!isSpace(c))
            before = c;
    }
    // A value never closed: the tag ends where it would without quotes.
    return quote ? html.find('>', from) : std::string_view::npos;
}

// The attributes of a tag, from after its name to its end: lower-case
// names, values with their references decoded.
std::vector<std::pair<std::string, std::string>> attributesOf(std::string_view tag)
{
    std::vector<std::pair<std::string, std::string>> out;
    std::size_t i = 0;
    while (i < tag.size()) {
        while (i < tag.size() && (isSpace(tag[i]) || tag[i] == '/'))
            ++i;
        const std::size_t nameStart = i;
        while (i < tag.size() && !isSpace(tag[i]) && tag[i] != '=' && tag[i] != '/')
            ++i;
        if (i == nameStart)
            break;
        std::string name = lower(tag.substr(nameStart, i - nameStart));
        std::string value;
        if (i < tag.size() && tag[i] == '=') {
            ++i;
            if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
                const std::size_t close = tag.find(tag[i], i + 1);
                const std::size_t end = close == std::string_view::npos ? tag.size() : close;
                value = DecodeText(tag.substr(i + 1, end - i - 1));
                i = end + 1;
            } else {
                const std::size_t start = i;
                while (i < tag.size() && !isSpace(tag[i]))
                    ++i;
                value = DecodeText(tag.substr(start, i - start));
            }
        }
        out.emplace_back(std::move(name), std::move(value));
    }
    return out;
}

// The elements that start a tag in Moodle's auto-format: those teachers
// type for layout and emphasis. Names that are also headers and words in
// questions ("<math.h>", "<map>", "<title>") stay text.
constexpr std::array<std::string_view, 63> kHtmlElements = {"a", "abbr", "acronym", "audio", "b", "bdi", "bdo", "big", "blockquote", "br", "caption", "center", "cite", "code", "dd", "del", "dfn", "div", "dl", "dt", "em", "figcaption", "figure", "font", "h1", "h2", "h3", "h4", "h5", "h6", "hr", "i", "img", "ins", "kbd", "li", "mark", "ol", "p", "pre", "s", "samp", "script", "small", "span", "strike", "strong", "style", "sub", "sup", "svg", "table", "tbody", "td", "tfoot", "th", "thead", "tr", "tt", "u", "ul", "video", "wbr"};

// A blank of a <pre>, until the text is tidied.
constexpr char kPreBlank = '\x01';

bool IsHtmlElement(std::string_view name)
{
    return std::find(kHtmlElements.begin(), kHtmlElements.end(), name) != kHtmlElements.end();
}

void appendBreak(std::string& out)
{
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    if (!out.empty() && out.back() != '\n')
        out += '\n';
}

}  // namespace

std::string MarkedTextFromHtml(std::string_view html, Tags tags)
{
    std::string out;
    std::size_t i = 0;
    std::size_t textStart = 0;
    int pre = 0;  // inside <pre>: lines and blanks are kept
    // The open lists: 0 for a bulleted one, else the next item's number.
    std::vector<int> lists;
    auto flush = [&](std::size_t end) {
        const std::string_view text = html.substr(textStart, end - textStart);
        if (pre > 0) {
            // Kept as typed: blanks marked so that tidying leaves them.
            for (const char c : DecodeText(text))
                out += c == ' ' ? kPreBlank : c;
        } else
            appendHtmlText(out, text);
    };
    while (i < html.size()) {
        if (html[i] != '<') {
            ++i;
            continue;
        }
        if (html.substr(i, 4) == "<!--") {
            flush(i);
            const std::size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            textStart = i;
            continue;
        }
        std::size_t n = i + 1;
        const bool closing = n < html.size() && html[n] == '/';
        if (closing)
            ++n;
        std::size_t nameEnd = n;
        while (nameEnd < html.size() && std::isalnum(static_cast<unsigned char>(html[nameEnd])))
            ++nameEnd;
        const std::size_t close = tagEnd(html, nameEnd);
        // "a < b" and a tag never closed are text; so is "<stdio.h>" where
        // only the elements HTML knows are tags.
        if (nameEnd == n || !std::isalpha(static_cast<unsigned char>(html[n])) || close == std::string_view::npos
            || (tags == Tags::KnownOnly && !IsHtmlElement(lower(html.substr(n, nameEnd - n))))) {
            ++i;
            continue;
        }
        flush(i);
        const std::string name = lower(html.substr(n, nameEnd - n));
        i = close + 1;
        textStart = i;
        if (!closing && (name == "script" || name == "style" || name == "svg")) {
            // A script or style never closed runs to the end of the text.
            const std::size_t end = findNoCase(html, "</" + name, i);
            const std::size_t endClose = end == std::string_view::npos ? end : html.find('>', end);
            i = endClose == std::string_view::npos ? html.size() : endClose + 1;
            textStart = i;
            continue;
        }
        if (name == "pre")
            pre = std::max(0, pre + (closing ? -1 : 1));
        if (name == "ul" || name == "ol") {
            if (!closing)
                lists.push_back(name == "ol" ? 1 : 0);
            else if (!lists.empty())
                lists.pop_back();
            appendBreak(out);
            continue;
        }
        if ((name == "td" || name == "th") && !closing) {
            while (!out.empty() && out.back() == ' ')
                out.pop_back();
            if (!out.empty() && out.back() != '\n')
                out += " | ";
            continue;
        }
        const ElementEffect* effect = effectOf(name);
        if (!effect)
            continue;
        if (effect->breaks)
            appendBreak(out);
        else
            out += (closing ? "</" : "<") + std::string(effect->mark) + ">";
        if (name == "li" && !closing) {
            if (lists.empty() || lists.back() == 0)
                out += "\u2022 ";
            else
                out += std::to_string(lists.back()++) + ". ";
        }
    }
    flush(html.size());
    // Blanks at line ends and empty lines at either end are layout, not text.
    std::string tidy;
    for (std::size_t k = 0; k < out.size(); ++k) {
        if (out[k] == ' ' && (k + 1 == out.size() || out[k + 1] == '\n'))
            continue;
        if (out[k] == ' ' && (tidy.empty() || tidy.back() == '\n') && pre == 0)
            continue;
        tidy += out[k];
    }
    while (!tidy.empty() && tidy.back() == '\n')
        tidy.pop_back();
    while (!tidy.empty() && tidy.front() == '\n')
        tidy.erase(0, 1);
    std::replace(tidy.begin(), tidy.end(), kPreBlank, ' ');
    return tidy;
}

std::string MarkedTextFromMarkdown(std::string_view markdown)
{
    char* html = cmark_markdown_to_html(markdown.data(), markdown.size(), CMARK_OPT_DEFAULT);
    if (!html)
        return std::string(markdown);
    const std::string marked = MarkedTextFromHtml(html);
    std::free(html);
    return marked;
}

bool ShowsNothing(std::string_view text)
{
    for (const MarkRun& run : MarkRuns(text))
        if (run.type == MarkRun::Text && run.value.find_first_not_of(" \t\n\xC2\xA0") != std::string::npos)
            return false;
    return true;
}

namespace {

// Calls `visit` with the attributes of every <`name`> element of `html`.
template <typename Visit>
void forEachElement(std::string_view html, std::string_view name, Visit visit)
{
    const std::string open = "<" + std::string(name);
    for (std::size_t i = findNoCase(html, open, 0); i != std::string_view::npos; i = findNoCase(html, open, i)) {
        const std::size_t nameEnd = i + open.size();
        if (nameEnd >= html.size() || !(isSpace(html[nameEnd]) || html[nameEnd] == '/' || html[nameEnd] == '>')) {
            i = nameEnd;
            continue;
        }
        const std::size_t close = tagEnd(html, nameEnd);
        if (close == std::string_view::npos)
            break;
        visit(attributesOf(html.substr(nameEnd, close - nameEnd)));
        i = close + 1;
    }
}

}  // namespace

std::vector<HtmlImage> ImagesInHtml(std::string_view html)
{
    std::vector<HtmlImage> images;
    forEachElement(html, "img", [&](const std::vector<std::pair<std::string, std::string>>& attributes) {
        HtmlImage image;
        for (const auto& [name, value] : attributes) {
            if (name == "src")
                image.src = value;
            else if (name == "alt")
                image.alt = value;
        }
        images.push_back(std::move(image));
    });
    return images;
}

std::vector<std::string> LinksInHtml(std::string_view html)
{
    std::vector<std::string> links;
    const std::pair<std::string_view, std::string_view> kinds[] = {
        {"a", "href"}, {"audio", "src"}, {"source", "src"}, {"embed", "src"}, {"video", "src"}, {"object", "data"}};
    // Not a structured binding: clang (the fuzzing build) cannot capture one in the lambda.
    for (const auto& kind : kinds)
        forEachElement(html, kind.first, [&](const std::vector<std::pair<std::string, std::string>>& attributes) {
            for (const auto& [name, value] : attributes)
                if (name == kind.second && !value.empty())
                    links.push_back(value);
        });
    return links;
}

std::string HtmlFromMarkedText(std::string_view text)
{
    // Characters stay UTF-8: the formats that carry this HTML are UTF-8 text
    // a teacher may read.
    std::string out;
    for (const MarkRun& run : MarkRuns(text)) {
        switch (run.type) {
        case MarkRun::Text:
            for (const char c : run.value) {
                if (c == '&')
                    out += "&amp;";
                else if (c == '<')
                    out += "&lt;";
                else if (c == '>')
                    out += "&gt;";
                else
                    out += c;
            }
            break;
        case MarkRun::Open: out += "<" + run.value + ">"; break;
        case MarkRun::Close: out += "</" + run.value + ">"; break;
        case MarkRun::LineBreak: out += "<br>"; break;
        }
    }
    return out;
}

std::vector<MarkRun> MarkRuns(std::string_view text)
{
    // MarkedHtmlLines has escaped every "<" of the text: each one left is a mark.
    std::vector<MarkRun> runs;
    const std::vector<std::string> lines = MarkedHtmlLines(text);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k)
            runs.push_back({MarkRun::LineBreak, {}});
        const std::string& line = lines[k];
        std::size_t i = 0;
        while (i < line.size()) {
            const std::size_t lt = line.find('<', i);
            const std::size_t end = lt == std::string::npos ? line.size() : lt;
            if (end > i)
                runs.push_back({MarkRun::Text, DecodeText(line.substr(i, end - i))});
            if (lt == std::string::npos)
                break;
            const std::size_t gt = line.find('>', lt);
            const bool closing = line[lt + 1] == '/';
            runs.push_back({closing ? MarkRun::Close : MarkRun::Open,
                            line.substr(lt + (closing ? 2 : 1), gt - lt - (closing ? 2 : 1))});
            i = gt + 1;
        }
    }
    return runs;
}

std::string NormalisedText(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::string lines;
    lines.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            lines += bytes[i];
        else if (i + 1 == bytes.size() || bytes[i + 1] != '\n')
            lines += '\n';
    }
    std::string out;
    out.reserve(lines.size());
    for (const char32_t c : CodePoints(lines))
        out += c == 0 ? std::string("\xEF\xBF\xBD") : EncodeUtf8(c);
    return out;
}

std::string ShortLabel(std::string_view text)
{
    std::string plain;
    for (const MarkRun& run : MarkRuns(text)) {
        if (run.type == MarkRun::Text)
            plain += run.value;
        else if (run.type == MarkRun::LineBreak)
            plain += ' ';
    }
    const std::u32string chars = CodePoints(plain);
    if (chars.size() <= 60)
        return plain;
    std::string out;
    for (std::size_t k = 0; k < 57; ++k)
        out += EncodeUtf8(chars[k]);
    return out + "...";
}

}  // namespace dorvel::exchange
