#include "export/WebTemplates.h"

#include <QFile>
#include <QString>

namespace dorvel {

std::optional<std::string> LoadWebTemplate(std::string_view relativePath)
{
    QFile file(QStringLiteral(":/web/") + QString::fromUtf8(relativePath.data(), static_cast<qsizetype>(relativePath.size())));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string FillPlaceholders(std::string_view text, const std::map<std::string, std::string>& values)
{
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto open = text.find("{{", pos);
        if (open == std::string_view::npos)
            break;
        const auto close = text.find("}}", open + 2);
        if (close == std::string_view::npos)
            break;
        const auto it = values.find(std::string(text.substr(open + 2, close - open - 2)));
        if (it == values.end()) {
            // Not a known name: keep one brace, "{{{id}}" still finds {{id}}.
            result.append(text.substr(pos, open + 1 - pos));
            pos = open + 1;
            continue;
        }
        result.append(text.substr(pos, open - pos));
        result += it->second;
        pos = close + 2;
    }
    result.append(text.substr(pos));
    return result;
}

std::string CompactScript(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view current = text.substr(pos, end - pos);
        pos = end + 1;
        while (!current.empty() && (current.front() == ' ' || current.front() == '\t'))
            current.remove_prefix(1);
        if (current.empty() || current.substr(0, 2) == "//")
            continue;
        out += current;
        out += '\n';
    }
    return out;
}

std::string WithLineBreaks(std::string_view text, std::string_view lineBreak)
{
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    std::size_t pos = 0;
    for (auto end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', pos)) {
        result.append(text.substr(pos, end - pos));
        result.append(lineBreak);
        pos = end + 1;
    }
    result.append(text.substr(pos));
    return result;
}

}  // namespace dorvel
