#pragma once

// The player's own few texts. It shows them in its window and message boxes
// and writes them to standard error; the web test itself takes its texts
// from the language pack.
namespace dorvel::playertext {

inline constexpr const char* kTitle = "Dorvel Player";
inline constexpr const char* kNoBank = "No question bank to play: start the player with a bank file, or from the editor's Preview or Build.";
inline constexpr const char* kCannotPlay = "This question bank cannot be played.";
inline constexpr const char* kCannotFolder = "The player cannot make a folder for the test.";
inline constexpr const char* kCannotServe = "The player cannot serve the test on this computer.";
inline constexpr const char* kPlaying = "The test is open in your web browser.";
inline constexpr const char* kPreviewing = "The question is open in your web browser.";
inline constexpr const char* kOpenYourself = "No web browser could be opened. Open this address in your web browser:";
inline constexpr const char* kNotOpened = "no browser could be opened; open the address yourself";
inline constexpr const char* kNotes = "Not everything in the bank could be used:";
inline constexpr const char* kOpenAgain = "Open in Browser";
inline constexpr const char* kStop = "Stop";
inline constexpr const char* kStopHint = "The test stays available until you press Stop.";

}  // namespace dorvel::playertext
