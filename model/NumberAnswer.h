#pragma once

#include <string>

namespace dorvel {

// Whether an accepted answer of a field set to Numbers reads as a number:
// an optional sign, digits, and at most one decimal point or comma
// ("42", "-3.5", "0,25", ".5"); blanks around it are allowed.
bool IsNumberAnswer(const std::string& text);

}  // namespace dorvel
