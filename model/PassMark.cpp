#include "model/PassMark.h"

#include "storage/Vtutils.h"

namespace dorvel {

int PassMarkOf(std::string_view testDetails)
{
    const int percent = GetTagInt(testDetails, kPassMarkField, 0);
    return percent >= 1 && percent <= 100 ? percent : 0;
}

std::string WithPassMark(std::string_view testDetails, int percent)
{
    const int kept = percent >= 1 && percent <= 100 ? percent : 0;
    return SetTag(testDetails, kPassMarkField, std::to_string(kept));
}

std::optional<int> ParsePassMark(std::string_view text)
{
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 100)
        return std::nullopt;
    return value;
}

}  // namespace dorvel
