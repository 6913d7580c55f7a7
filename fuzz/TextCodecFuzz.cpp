// Random bytes through the text codec: as typed text, decoding what it
// encodes gives it back; as a stored value, decoding never grows without
// bound and its safe form never holds an element's bracket.
#include "storage/TextCodec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Decoding gives UTF-8; without its zero characters it is a text the
    // codec must carry unchanged.
    const std::string decoded = dorvel::DecodeText(bytes);
    if (decoded.size() > 3 * size + 3)
        __builtin_trap();
    std::string text;
    for (const char c : decoded)
        if (c != '\0')
            text += c;
    const std::string stored = dorvel::EncodeText(text);
    if (dorvel::DecodeText(stored) != text)
        __builtin_trap();
    if (stored.size() > 10 * text.size())
        __builtin_trap();

    const std::string safe = dorvel::SafeStoredValue(bytes);
    if (safe.find_first_of("<>\"^`") != std::string::npos)
        __builtin_trap();
    if (dorvel::SafeStoredValue(safe) != safe)
        __builtin_trap();

    const std::string cleaned = dorvel::CleanText(bytes);
    if (cleaned.find_first_of("<>") != std::string::npos)
        __builtin_trap();
    dorvel::TextLength(bytes);
    return 0;
}
