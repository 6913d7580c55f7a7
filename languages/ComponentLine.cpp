#include "languages/ComponentLine.h"

#include <charconv>

namespace dorvel {

ComponentLine ParseComponentLine(std::string_view line)
{
    ComponentLine parsed;
    const std::size_t first = line.find(' ');
    parsed.component = std::string(line.substr(0, first));
    if (first == std::string_view::npos)
        return parsed;
    const std::size_t second = line.find(' ', first + 1);
    parsed.property = std::string(line.substr(first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1));
    if (second != std::string_view::npos)
        parsed.value = std::string(line.substr(second + 1));
    return parsed;
}

std::optional<int> HintNumber(std::string_view property)
{
    if (property.find("Hint") == std::string_view::npos)
        return std::nullopt;
    if (property.size() <= 4)
        return 0;
    const std::string_view digits = property.substr(4);
    int n = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return 0;
    return n;
}

std::vector<std::string> SplitItems(std::string_view value)
{
    std::vector<std::string> items;
    while (value.size() > 2) {
        const std::size_t hash = value.find('#');
        if (hash != std::string_view::npos && hash >= 1) {
            items.emplace_back(value.substr(0, hash));
            value.remove_prefix(hash + 1);
        } else {
            items.emplace_back(value);
            value = {};
        }
    }
    return items;
}

}  // namespace dorvel
