#include "classroom/QrCode.h"

#include <qrencode.h>

namespace dorvel::classroom {

QrCode QrCodeOf(const std::string& text)
{
    QrCode code;
    QRcode* encoded = QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M);
    if (!encoded)
        return code;
    code.size = encoded->width;
    code.dark.resize(static_cast<std::size_t>(code.size) * static_cast<std::size_t>(code.size));
    for (std::size_t i = 0; i < code.dark.size(); ++i)
        code.dark[i] = (encoded->data[i] & 1) != 0;
    QRcode_free(encoded);
    return code;
}

std::string QrCodeText(const QrCode& code)
{
    const int quiet = 4;
    const int side = code.size + 2 * quiet;
    const auto dark = [&](int x, int y) {
        x -= quiet;
        y -= quiet;
        return x >= 0 && y >= 0 && x < code.size && y < code.size && code.at(x, y);
    };
    std::string text;
    for (int y = 0; y < side; y += 2) {
        for (int x = 0; x < side; ++x) {
            const bool top = dark(x, y);
            const bool bottom = y + 1 < side && dark(x, y + 1);
            text += top && bottom ? "\u2588" : top ? "\u2580"
                : bottom                           ? "\u2584"
                                                   : " ";
        }
        text += '\n';
    }
    return text;
}

}  // namespace dorvel::classroom
