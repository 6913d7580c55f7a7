#pragma once

#include <string>
#include <vector>

// A QR code of a short text (libqrencode), for the class's address: shown in
// the teacher's window and printed on the terminal.
namespace dorvel::classroom {

struct QrCode {
    int size = 0;            // modules per side; 0 when the text could not be encoded
    std::vector<bool> dark;  // size * size, row by row
    bool at(int x, int y) const { return dark[static_cast<std::size_t>(y * size + x)]; }
};

QrCode QrCodeOf(const std::string& text);

// The code as text, two rows of modules to a line (upper and lower half
// blocks), dark modules drawn, with a quiet zone of four modules around it.
std::string QrCodeText(const QrCode& code);

}  // namespace dorvel::classroom
