#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A pack line that relabels a component of the window by name:
// "TestNameLabel Caption Test name" - component, blank, property, blank, value.
namespace dorvel {

struct ComponentLine {
    std::string component;
    std::string property;
    std::string value;
};

// Splits at the first two blanks; missing parts come back empty.
ComponentLine ParseComponentLine(std::string_view line);

// Hint properties carry the number of a hint text: "Hint7" -> 7, "Hint" or
// "Hintx" -> 0. Nothing when the property is not a hint (no "Hint" in it).
std::optional<int> HintNumber(std::string_view property);

// The items of an `Items` value, separated by '#'. Only items of at least one
// character before a '#' are cut off; the rest becomes the last item when more
// than two characters of it remain ("ab#cd#ef" gives ab and cd).
std::vector<std::string> SplitItems(std::string_view value);

}  // namespace dorvel
