#pragma once

#include <string>

namespace dorvel {

// 128 bits from the system's random source, as 32 hex digits: the secrets a
// served test or a class hands out, which nobody may guess.
std::string RandomToken();

}  // namespace dorvel
