#include "export/AccessibleTexts.h"

#include "languages/LangStrings.h"

namespace dorvel {

std::string SayWith(const A11yTexts& texts, A11yText which, std::string_view a, std::string_view b, std::string_view c)
{
    const std::string& pattern = Say(texts, which);
    std::string out;
    out.reserve(pattern.size() + a.size() + b.size() + c.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '3') {
            const char n = pattern[++i];
            out += n == '1' ? a : n == '2' ? b
                                           : c;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

A11yTexts DefaultA11yTexts()
{
    return {"en-GB", "Question", "Test controls", "Help", "Previous question", "Next question", "Mark", "Cheat",
            "Finish", "Question slider", "%1 of %2", "true", "false", "right", "wrong", "Nothing answered yet.", "Start Test",
            "Feedback", "Sound",
            "%1 picked up. Choose a place with the arrow keys or Tab, drop it with Enter, put it back with Escape.",
            "Place %1 of %2", "Dropped on %1.", "Put back.", "The right answers:", "Your own answers are back.", "not placed",
            "You scored %1 out of %2 (%3 %).", "Answer %1", "Item %1", "Play the sound again"};
}

int A11yEntry(A11yText which)
{
    // The question sound's button came later than the block at 260.
    if (which == A11yText::PlaySound)
        return 375;
    return kFirstA11yEntry + static_cast<int>(which);
}

A11yTexts A11yTextsFrom(const LangStrings& lang)
{
    A11yTexts texts = DefaultA11yTexts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = lang.at(A11yEntry(static_cast<A11yText>(i)));
        if (!text.empty())
            texts[i] = text;
    }
    return texts;
}

}  // namespace dorvel
