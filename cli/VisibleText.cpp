#include "cli/VisibleText.h"

#include <cstdio>

namespace dorvel::cli {

namespace {

void escaped(std::string& out, unsigned char byte)
{
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02x", byte);
    out += code;
}

// The length of a well-formed UTF-8 sequence at `i`, 0 when there is none.
std::size_t sequenceLength(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xc2 && lead <= 0xdf ? 2 : lead >= 0xe0 && lead <= 0xef ? 3
        : lead >= 0xf0 && lead <= 0xf4                                                         ? 4
                                                                                               : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80)
            return 0;
    }
    return length;
}

}  // namespace

std::string VisibleText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7f) {
            escaped(out, byte);
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if (const std::size_t length = sequenceLength(text, i); length > 0) {
            // UTF-8: only the C1 controls U+0080 to U+009F are escaped.
            const bool control = byte == 0xc2 && static_cast<unsigned char>(text[i + 1]) <= 0x9f;
            for (std::size_t k = 0; k < length; ++k) {
                if (control)
                    escaped(out, static_cast<unsigned char>(text[i + k]));
                else
                    out += text[i + k];
            }
            i += length - 1;
        } else if (byte <= 0x9f) {
            escaped(out, byte);  // a C1 control to a Latin-1 terminal
        } else {
            out += static_cast<char>(byte);  // a Latin-1 letter
        }
    }
    return out;
}

}  // namespace dorvel::cli
