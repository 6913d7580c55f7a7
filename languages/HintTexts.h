#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dorvel {

// The numbered hint texts of the language pack (Hint0 to Hint49). They tie a
// hint on screen to its spoken recording: the hint equal to text 7 is Hint7.
class HintTexts {
public:
    static constexpr int kCount = 50;

    const std::string& at(int n) const;
    // False (and nothing changes) when n is outside 0..49.
    bool set(int n, std::string text);
    // The first number from 1 to 49 whose text equals `hint`; 0 when none
    // does or the hint is a single character or empty. Text 0 never matches.
    int match(std::string_view hint) const;

private:
    std::array<std::string, kCount> m_entries;
};

}  // namespace dorvel
