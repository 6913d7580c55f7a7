#pragma once

#include "export/AccessibleTexts.h"
#include "shell/MakerSite.h"

#include <optional>

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
    std::string s66;                      // before the test name in the title and heading
    std::string s67;                      // caption of the start button
    std::string s68;                      // first line of the alert in a browser that cannot run the test
    std::string s69;                      // its second line
    std::string s87;                      // alert when the screen is too small
    std::string s88;                      // alert when the browser will not let the frameset write its frames
    A11yTexts a11y = DefaultA11yTexts();  // the language and the frame titles
    std::optional<MakerSite> site;        // the maker's line under the owl; none without a site
    // The student's name, asked for above the start button when `askName`:
    // the box's label and what is said when Start is pressed without one.
    bool askName = false;
    std::string nameLabel;
    std::string nameMissing;
};

// The longest student's name the start page takes.
inline constexpr int kStudentNameLength = 100;

// The maker's line of the start and results pages: the maker's name and a
// link to its site, each a paragraph in a small font (`fontAttributes` added
// to the font element); empty without a site.
std::string MakerLine(const std::optional<MakerSite>& site, std::string_view fontAttributes = {});

// Where the start page finds the test: a script expression giving the address
// the Start button opens (a quoted relative address, or one the page works
// out), and the address of the maker's owl picture.
struct StartPageLinks {
    std::string testAddress;
    std::string owlAddress;
};

// The start page. `sizeClass` is the first windowSize of the test's questions.
std::string StartPageText(const std::string& testName, const StartPageTexts& texts, int sizeClass,
                          const StartPageLinks& links);

// The frameset (frame.htm): it writes every page of the test into its frames
// (export/web/loader.js). `pagesScript` is the markup that gives it the page
// texts: a script element loading pages.js, or nothing when the document
// carries them itself.
std::string FramesetText(const std::string& testName, const StartPageTexts& texts, const std::string& pagesScript);

// The titled empty page the frameset shows in its question frame until the
// control page writes the first question there.
std::string BlankPageText(const A11yTexts& a11y);

// Writes the start page at `startPage`, and frame.htm in the test folder.
// False when a page could not be written (`writes` says which).
bool WriteStartPages(const std::string& testName, const std::string& startPage, const StartPageTexts& texts,
                     const std::string& questionFileList, ExportWrites& writes);

}  // namespace dorvel
