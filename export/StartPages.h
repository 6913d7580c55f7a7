#pragma once

#include "export/AccessibleTexts.h"

#include <string>
#include <string_view>

namespace dorvel {

class ExportWrites;

// B + "res": the start page's file name without its last four characters
// (".htm") and without blanks, followed by "res". The pages name the test
// folder by it.
std::string TestFolderBase(std::string_view startPage);
// The test folder beside the start page, with a closing separator.
std::string TestFolder(std::string_view startPage);

// Interface texts of the start page, by message key.
struct StartPageTexts {
    std::string s66;  // before the test name in the title and heading
    std::string s67;  // caption of the start button
    std::string s68;  // first line of the alert in a browser that cannot run the test
    std::string s69;  // its second line
    std::string s87;  // alert when the screen is too small
    A11yTexts a11y = DefaultA11yTexts();  // the language and the frame titles
};

// Writes the start page at `startPage`, and frame.htm and blank.htm in the
// test folder. The window size class is the first windowSize of the test's
// questions. False when a page could not be written (`writes` says which).
bool WriteStartPages(const std::string& testName, const std::string& startPage, const StartPageTexts& texts,
    const std::string& questionFileList, ExportWrites& writes);

}  // namespace dorvel
