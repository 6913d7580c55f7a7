#include "export/InlineMarks.h"

#include "export/WebText.h"

#include <algorithm>
#include <array>

namespace dorvel {

namespace {

constexpr std::array<std::string_view, 5> kMarks = {"b", "i", "u", "sub", "sup"};

// The mark a tag at the start of `s` opens or closes, and the tag's length.
struct Tag {
    std::string_view mark;
    bool closing = false;
    std::size_t length = 0;
};

Tag readTag(std::string_view s)
{
    if (s.size() < 3 || s[0] != '<')
        return {};
    const bool closing = s[1] == '/';
    const std::size_t nameStart = closing ? 2 : 1;
    const std::size_t end = s.find('>', nameStart);
    if (end == std::string_view::npos || end - nameStart > 3)
        return {};
    std::string name(s.substr(nameStart, end - nameStart));
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const std::string_view mark : kMarks)
        if (name == mark)
            return {mark, closing, end + 1};
    return {};
}

void openAll(std::string& out, const std::vector<std::string_view>& open)
{
    for (const std::string_view mark : open)
        out += "<" + std::string(mark) + ">";
}

void closeAll(std::string& out, const std::vector<std::string_view>& open)
{
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        out += "</" + std::string(*it) + ">";
}

}  // namespace

std::vector<std::string> MarkedHtmlLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::vector<std::string_view> open;
    std::string line;
    std::string plain;  // text since the last mark, escaped when a mark or the line ends
    auto flushPlain = [&] {
        line += HtmlText(plain);
        plain.clear();
    };
    auto endLine = [&] {
        flushPlain();
        closeAll(line, open);
        lines.push_back(std::move(line));
        line.clear();
        openAll(line, open);
    };
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            endLine();
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        const Tag tag = c == '<' ? readTag(text.substr(i)) : Tag{};
        if (tag.length == 0) {
            plain += c;
            ++i;
            continue;
        }
        const auto found = std::find(open.rbegin(), open.rend(), tag.mark);
        if (tag.closing && found == open.rend()) {
            plain.append(text.substr(i, tag.length));  // closes nothing: shown as typed
        } else if (tag.closing) {
            // Close down to the mark, then reopen the ones inside it, so the
            // page stays well nested: <b><i>x</b>y</i>.
            flushPlain();
            const std::vector<std::string_view> inner(open.rbegin(), found);
            closeAll(line, std::vector<std::string_view>(inner.rbegin(), inner.rend()));
            line += "</" + std::string(tag.mark) + ">";
            open.erase(std::next(found).base());
            for (auto it = inner.rbegin(); it != inner.rend(); ++it)
                line += "<" + std::string(*it) + ">";
        } else {
            flushPlain();
            line += "<" + std::string(tag.mark) + ">";
            open.push_back(tag.mark);
        }
        i += tag.length;
    }
    // A text ending in a line break has no empty line after it.
    const bool brokenLast = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    if (!text.empty() && !brokenLast) {
        flushPlain();
        closeAll(line, open);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string UnmarkedText(std::string_view text)
{
    std::string out;
    std::vector<std::string_view> open;
    for (std::size_t i = 0; i < text.size();) {
        const Tag tag = text[i] == '<' ? readTag(text.substr(i)) : Tag{};
        const bool closesNothing = tag.closing && std::find(open.begin(), open.end(), tag.mark) == open.end();
        if (tag.length == 0 || closesNothing) {
            // Not a mark, or a closing mark shown as typed.
            const std::size_t length = tag.length == 0 ? 1 : tag.length;
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        if (tag.closing)
            open.erase(std::find(open.rbegin(), open.rend(), tag.mark).base() - 1);
        else
            open.push_back(tag.mark);
        i += tag.length;
    }
    return out;
}

}  // namespace dorvel
