#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dorvel {

// The pass mark of a set: a whole percentage in the test-details field
// PassMark. Sets written before the field existed have none, and a reader
// that does not know the field passes over it like any other unknown one.
inline constexpr std::string_view kPassMarkField = "PassMark";

// 1 to 100; 0 when the set has none (absent, 0, or not a percentage).
int PassMarkOf(std::string_view testDetails);
// The details with the pass mark set; 0 writes "no pass mark".
std::string WithPassMark(std::string_view testDetails, int percent);
// A pass mark typed on the command line: "0" to "100" (0: none).
std::optional<int> ParsePassMark(std::string_view text);

}  // namespace dorvel
