#pragma once

#include <string>
#include <string_view>

namespace dorvel::cli {

// Text from a set or bank as it may safely reach a terminal: control
// characters (C0, DEL, and C1 as UTF-8 encodes them) are shown as \xNN, so an
// escape sequence in a title cannot retitle or rewrite the terminal.
std::string VisibleText(std::string_view text);

}  // namespace dorvel::cli
