#pragma once

#include "export/QuestionPage.h"

#include <string>
#include <string_view>

// Feedback frames with their pages ("q" N "fb" k ".htm"), and the sound pages
// ("q" N "s" k ".htm") that play an element's sound in the hidden frame `bs`.
namespace dorvel {

// The markup that plays a sound file by itself when its page is shown.
std::string SoundMarkup(std::string_view audioPath);

// A feedback element of the question: claims the first free slot, adds the
// criteria entry, writes the hidden frame into the page and starts the frame's
// page. Past the twentieth feedback of a question it is left out entirely.
void TakeFeedback(PageBuild& page, std::string_view feedback);

// Where an element whose `feedback` field holds `feedbackValue` is written:
// the page body ("0", or no value), the page text of its feedback's slot, or
// nowhere (nullptr) when no slot has that name.
std::string* FeedbackTarget(PageBuild& page, std::string_view feedbackValue);

// Writes the page of every used slot, then frees all slots.
void WriteFeedbackPages(PageBuild& page);

// "q" N "s" k ".htm" for the element `id` (k: the id without its first six
// characters). The right half of a true/false button has a page of its own,
// "q" N "s" k "-r.htm", so that its two sounds stay apart.
std::string SoundPageName(const PageBuild& page, std::string_view id, bool rightHalf = false);
// "playSound('...'); " that plays it from the page (or from a feedback frame,
// through "parent.").
std::string PlaySound(const std::string& pageName, bool fromFeedback = false);
void WriteSoundPage(PageBuild& page, const std::string& pageName, std::string_view audioPath);

}  // namespace dorvel
