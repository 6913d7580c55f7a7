#pragma once

#include "editor/UserInterface.h"
#include "export/SingleFileTest.h"
#include "export/WriteTestPages.h"

#include <optional>
#include <string>

namespace dorvel {

class LangStrings;
class UserInterface;
class Workspace;
struct ExportLists;
struct OpenSet;

// The test's title: its TestName, or the set file's name when that is "0".
std::string WebTestName(const std::string& testDetails, const std::string& setFilePath);

struct WebExport {
    std::string startPage;  // the start page to write; its test folder goes beside it
    std::string testName;
    std::string testDetails;
    std::string language;  // interface language: button images of its own come first
    unsigned seed = 0;     // drawn names and block order
    // The script that talks to a learning platform (an LMS package's
    // scorm.js), empty for a test without one.
    std::string platformScript;
    bool scratch = false;  // a test that need not survive a crash (the player's)
};

// Why a web test cannot be written at `startPage` (its folder is missing, or
// a link stands where a folder of the test belongs); empty when it can.
std::string ExportFolderProblem(const std::string& startPage);

// Everything after the expansion: the test folder with its button images and
// media files, the start page, the frameset and the generator's pages. The
// progress window shows each step. The result's error says what could not be
// written (nothing more is written after it). Unless it is `scratch`, the
// test is written beside the earlier one and takes its place only when every
// file is on the disk: a failed export leaves the earlier test as it was.
WrittenTest ExportWebTest(const WebExport& exportRequest, const ExportLists& lists, const LangStrings& lang,
                          UserInterface& ui);

// The same test as one file at exportRequest.startPage (no folder beside it):
// written into a private temporary folder first, then packed.
SingleFileTest ExportSingleFileTest(const WebExport& exportRequest, const ExportLists& lists, const LangStrings& lang,
                                    UserInterface& ui);

// What the author is told after an export: what travels (the start page with
// its folder, or the single file and its size, with a warning past the size
// mail servers take), then the question whether to open it.
std::string ExportedMessage(const LangStrings& lang, const std::string& startPage, const SingleFileTest* single);

// Asks where to write an export of `set`: the dialog opens in the last folder
// with the set's file name proposed (blanks removed when `withoutBlanks`), and
// the answer gets `extension`. Remembers the folder; nothing when cancelled.
std::optional<std::string> ChooseExportPath(Workspace& workspace, UserInterface& ui, const OpenSet& set,
                                            FileDialog dialog, bool withoutBlanks);

// Saves the current set and expands it into the export lists, with the
// progress window shown; false (the window hidden) when its templates are
// unusable and the export must stop.
bool SaveAndExpandForExport(Workspace& workspace, UserInterface& ui, const LangStrings& lang);

// Create Web Pages, as a start page with its folder or as one file
// (`singleFile`): asks for the start page, saves and expands the current set,
// exports it and offers to open the test from its file.
void CreateWebPagesCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang, const std::string& language,
                        bool singleFile = false);

}  // namespace dorvel
