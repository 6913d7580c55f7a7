#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The pages of a web test travel as page texts inside one classic script,
// pages.js, that the frameset loads with <script src> (allowed from the file
// system, where fetching a page is not) and writes into its frames.
namespace dorvel {

inline constexpr std::string_view kPagesScriptName = "pages.js";

// A single-quoted script string holding `latin1` (the pages' ISO-8859-1, which
// browsers read as windows-1252). The literal is plain ASCII and never holds
// "</" or "<!", so it may also stand inside an inline <script> element.
std::string PageTextLiteral(std::string_view latin1);

// The page texts of one test by name ("q0.htm", "control.htm", "p.js").
class TestPages {
public:
    void add(std::string name, std::string text);
    bool empty() const { return pages_.empty(); }
    const std::vector<std::pair<std::string, std::string>>& pages() const { return pages_; }

    // "var pageTexts = {};" and one assignment a line.
    std::string scriptText() const;

private:
    std::vector<std::pair<std::string, std::string>> pages_;
};

// One more assignment line of the same form, for a page added to a script.
std::string PageTextAssignment(std::string_view name, std::string_view text);

}  // namespace dorvel
