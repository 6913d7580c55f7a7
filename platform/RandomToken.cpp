#include "platform/RandomToken.h"

#include <QRandomGenerator>

#include <array>

namespace dorvel {

std::string RandomToken()
{
    std::array<quint32, 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    static const char kHex[] = "0123456789abcdef";
    std::string token;
    for (quint32 word : words) {
        for (int shift = 28; shift >= 0; shift -= 4)
            token += kHex[(word >> shift) & 15];
    }
    return token;
}

}  // namespace dorvel
