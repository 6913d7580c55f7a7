#pragma once

#include <array>
#include <string>
#include <string_view>

// The language pack's texts that name the web test's controls for assistive
// technology and make its announcements: entries 260 onwards, in this order.
// Each has a placeholder name for the script templates ("{{a11y_next}}").
namespace dorvel {

enum class A11yText {
    Language,       // the pack's language tag (lang attributes)
    QuestionFrame,  // title of the question frame
    ControlsFrame,  // title of the control bar's frame
    Help,
    Previous,
    Next,
    Mark,
    Cheat,
    Finish,
    Slider,   // name of the slider
    OfCount,  // "%1 of %2"
    True,
    False,
    Right,
    Wrong,
    NotAnswered,
    StartTest,
    Feedback,
    Sound,
    PickedUp,  // "%1": the item's name
    Target,    // "%1 of %2"
    Dropped,   // "%1": the target
    PutBack,
    RightAnswers,
    AnswersBack,
    NotPlaced,
    Score,      // "%1 out of %2 (%3 %)"
    Answer,     // "%1": the number of a field without a text beside it
    Item,       // "%1": the number of a picture drag item without a name
    PlaySound,  // the question sound's play button (entry 375, outside the block above)
    Count
};

inline constexpr int kFirstA11yEntry = 260;
// The language pack entry of a text.
int A11yEntry(A11yText which);
inline constexpr std::size_t kA11yTexts = static_cast<std::size_t>(A11yText::Count);

inline constexpr std::array<std::string_view, kA11yTexts> kA11yKeys{
    "lang", "questionFrame", "controlsFrame", "help", "previous", "next", "mark", "cheat", "finish", "slider", "of",
    "true", "false", "right", "wrong", "notAnswered", "startTest", "feedback", "sound", "pickedUp", "target", "dropped",
    "putBack", "rightAnswers", "answersBack", "notPlaced", "score", "answer", "item", "playSound"};

using A11yTexts = std::array<std::string, kA11yTexts>;

inline const std::string& Say(const A11yTexts& texts, A11yText which)
{
    return texts[static_cast<std::size_t>(which)];
}

// The text with "%1" (and "%2", "%3") replaced.
std::string SayWith(const A11yTexts& texts, A11yText which, std::string_view a, std::string_view b = {},
                    std::string_view c = {});

// English texts, for writers called without a language pack.
A11yTexts DefaultA11yTexts();

// The pack's texts; an entry the pack lacks keeps its English text.
class LangStrings;
A11yTexts A11yTextsFrom(const LangStrings& lang);

}  // namespace dorvel
