#pragma once

#include <string>
#include <vector>

namespace dorvel {

class LangStrings;

// The web test the player made of a bank.
struct PlayedTest {
    std::string error;      // not empty: the bank was refused and there is nothing to play
    std::string startPage;  // the start page, beside its test folder
    std::string testName;
    bool preview = false;   // a one-question preview from the editor
    int previewNumber = 0;  // the previewed question's number in its set (0: not known)
    int questions = 0;      // questions in the bank
    int questionPages = 0;  // questions the test shows
    // What the test lacks: media the bank does not hold or that could not be
    // written, questions beyond what a web test can hold.
    std::vector<std::string> notes;

    bool ok() const { return error.empty(); }
};

// The start page's file name inside the player's folder ("Testres" beside it
// holds the test).
inline constexpr const char* kPlayedStartPage = "Test.htm";

// The page a preview opens at: the frameset, with the question at once.
inline constexpr const char* kPreviewPage = "Testres/frame.htm";

// What the player's window and the browser's title call the test: the
// previewed question is named by its number in the set ("Quiz: Question 3").
std::string PlayedTitle(const PlayedTest& test, const LangStrings& lang);

// The address of a preview's frameset, from its start page's address.
std::string PreviewAddress(const std::string& startAddress);

// Lets a preview's tab follow the player to a later preview: adds a script
// to the frameset that watches "preview-next.txt" in the test folder (written
// empty here). False when a file could not be written.
bool AddPreviewReload(const PlayedTest& test);
// Sends the tabs open on `test` to `address` (the next preview's frameset).
bool SendPreviewTabTo(const PlayedTest& test, const std::string& address);

// Reads the bank, checks it, and writes into `folder` the web test the web
// export would make of the same questions, with the bank's media files
// extracted into the test folder under the names the pages use. Nothing is
// written outside `folder`, whatever the bank's header says. `language`
// chooses the button images; `lang` gives the test's texts; `seed` draws
// the script names.
PlayedTest WritePlayedTest(const std::string& bankPath, const std::string& folder, const LangStrings& lang,
                           const std::string& language, unsigned seed);

}  // namespace dorvel
