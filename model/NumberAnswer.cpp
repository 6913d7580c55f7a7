#include "model/NumberAnswer.h"

#include <cctype>

namespace dorvel {

bool IsNumberAnswer(const std::string& text)
{
    std::size_t i = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    if (i == std::string::npos)
        return false;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    int digits = 0;
    int points = 0;
    for (; i <= end; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isdigit(c))
            ++digits;
        else if ((c == '.' || c == ',') && ++points == 1)
            continue;
        else
            return false;
    }
    return digits > 0;
}

}  // namespace dorvel
