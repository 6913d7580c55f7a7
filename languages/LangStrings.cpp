#include "languages/LangStrings.h"

#include "model/DefaultRecords.h"
#include "storage/TextCodec.h"

#include <charconv>

namespace dorvel {

LangStrings::LangStrings()
{
    m_entries[0] = DefaultQuestionRecord();
    m_entries[1] = DefaultTestDetails();
}

const std::string& LangStrings::at(int n) const
{
    static const std::string empty;
    if (n < 0 || n >= kCount)
        return empty;
    return m_entries[static_cast<std::size_t>(n)];
}

const std::string& LangStrings::key(std::string_view messageKey) const
{
    return at(MessageKeyNumber(messageKey));
}

bool LangStrings::set(int n, std::string text)
{
    if (n < kFirstPackEntry || n >= kCount)
        return false;
    m_entries[static_cast<std::size_t>(n)] = std::move(text);
    return true;
}

namespace {

// The first four characters as a decimal number (leading blanks allowed), or -1.
int lineNumber(std::string_view line)
{
    std::string_view head = line.substr(0, 4);
    while (!head.empty() && head.front() == ' ')
        head.remove_prefix(1);
    if (head.empty())
        return -1;
    int n = 0;
    const auto [end, ec] = std::from_chars(head.data(), head.data() + head.size(), n);
    if (ec != std::errc() || end != head.data() + head.size())
        return -1;
    return n;
}

std::string expandLineBreaks(std::string_view line)
{
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 4, "#r#n") == 0) {
            out += "\r\n";
            i += 3;
        } else {
            out += line[i];
        }
    }
    return out;
}

}  // namespace

int LangStrings::applyPack(std::string_view packText, const std::function<void(const std::string&)>& componentLine)
{
    int count = 0;
    std::size_t pos = 0;
    while (pos < packText.size()) {
        std::size_t end = packText.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = packText.size();
        const std::string_view line = packText.substr(pos, end - pos);
        // A line ends with CR LF, a lone CR or a lone LF.
        pos = end;
        if (pos < packText.size())
            pos += (packText[pos] == '\r' && pos + 1 < packText.size() && packText[pos + 1] == '\n') ? 2 : 1;
        if (line.size() <= 5)
            continue;
        const int n = lineNumber(line);
        if (n >= kCount)
            continue;
        // Packs hold Latin-1 and references for every other character; the
        // program works in UTF-8.
        const std::string expanded = DecodeText(expandLineBreaks(line));
        if (n >= kFirstPackEntry) {
            set(n, expanded.substr(5));
            ++count;
        } else if (componentLine) {
            componentLine(expanded);
        }
    }
    return count;
}

int MessageKeyNumber(std::string_view messageKey)
{
    if (messageKey.size() < 2 || messageKey[0] != 's')
        return -1;
    int n = 0;
    const auto [end, ec] = std::from_chars(messageKey.data() + 1, messageKey.data() + messageKey.size(), n);
    if (ec != std::errc() || end != messageKey.data() + messageKey.size())
        return -1;
    return n;
}

std::string MessageKey(int n)
{
    return "s" + std::to_string(n);
}

std::string MessageKey(Message message)
{
    return MessageKey(static_cast<int>(message));
}

}  // namespace dorvel
