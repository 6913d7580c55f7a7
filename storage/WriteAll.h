#pragma once

#include <string_view>

class QFileDevice;

namespace dorvel {

// Writes all of `bytes` to an open file, again after a short write, so that
// a disk that fills part of the way sets the file's error with its reason
// (Qt leaves it unset after a short write: "Unknown error"). False on any
// failure; the file's errorString() says why.
bool WriteAll(QFileDevice& file, std::string_view bytes);

}  // namespace dorvel
