#include "languages/HintTexts.h"

namespace dorvel {

const std::string& HintTexts::at(int n) const
{
    static const std::string empty;
    if (n < 0 || n >= kCount)
        return empty;
    return m_entries[static_cast<std::size_t>(n)];
}

bool HintTexts::set(int n, std::string text)
{
    if (n < 0 || n >= kCount)
        return false;
    m_entries[static_cast<std::size_t>(n)] = std::move(text);
    return true;
}

int HintTexts::match(std::string_view hint) const
{
    if (hint.size() <= 1)
        return 0;
    for (int i = 1; i < kCount; ++i)
        if (m_entries[static_cast<std::size_t>(i)] == hint)
            return i;
    return 0;
}

}  // namespace dorvel
