#pragma once

#include "bank/ExportLists.h"
#include "export/AccessibleTexts.h"
#include "export/ScriptNameTable.h"
#include "export/WebTestModel.h"
#include "shell/MakerSite.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace dorvel {

class LangStrings;
class UserInterface;

// The interface texts of the control script: textsA are s70 to s86 and s88
// (the notice shown when the test is opened from the file system), textsB the
// day names s90 to s96 and the month names s100 to s111.
struct InterfaceTexts {
    std::array<std::string, 18> textsA;
    std::array<std::string, 19> textsB;
    // Names and announcements for assistive technology (entries 260 onwards).
    A11yTexts a11y = DefaultA11yTexts();
    std::string learnerLabel;  // s320, before the student's name from a learning platform
    // The maker's line on the results page: the installation's site, or none.
    std::optional<MakerSite> site;
};
InterfaceTexts InterfaceTextsFrom(const LangStrings& lang);

// When the set was made, as the results page gets it: "2026-12-11T08:00:00"
// (local time, which the page writes in the pack's language) from the set's
// creationdate; the stored display text when the set has no such date.
std::string CreatedForPage(std::string_view testDetails);

// What one run of the generator drew and gathered, for callers that check it.
struct WrittenTest {
    ScriptNameTable names;
    ScriptArrays arrays;
    int preTestPages = 0;
    int questionPages = 0;
    std::string error;  // what could not be written; empty when every file was
};

// A seed from the clock: every export draws new names and a new block order.
unsigned ClockSeed();

// The page generator: writes the question and pre-test pages with their
// feedback and sound pages, the blank page, control.htm and p.js as page
// texts into pages.js in the test folder beside `startPage`, from the question
// lists of `lists`. The folder, its button images and media files must be in
// place. When a file cannot be written the result's error says why. `seed`
// fixes the drawn script names and the order of the control script's blocks.
// A `platformScript` is written as scorm.js, which the control page then
// loads. `scratch` files need not survive a crash (see ScratchFiles.h).
WrittenTest WriteTestPages(const std::string& testName, const std::string& startPage, const std::string& testDetails,
                           const InterfaceTexts& texts, const ExportLists& lists, UserInterface& ui, unsigned seed,
                           const std::string& platformScript = {}, bool scratch = false);

}  // namespace dorvel
