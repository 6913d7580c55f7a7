#pragma once

#include "lms/ScormVersion.h"

#include <string>
#include <vector>

namespace dorvel {

class LangStrings;
class UserInterface;
struct ExportLists;

struct ScormExport {
    std::string zipPath;  // the package to write
    ScormVersion version = ScormVersion::Scorm12;
    int passMark = 0;  // percentage, 0 for none
    std::string testName;
    std::string testDetails;
    std::string language;  // interface language of the pages
    unsigned seed = 0;     // drawn script names and block order
};

struct ScormResult {
    bool written = false;
    std::string error;               // why nothing was written
    std::vector<std::string> files;  // the package's files as listed in the manifest
};

// The page of the package the platform opens: the test's frameset.
inline constexpr const char* kScormLaunchPage = "frame.htm";

// The test's script that talks to the platform (export/web/scorm.js), told
// its SCORM version and pass mark.
std::string ScormScriptText(ScormVersion version, int passMark);

// Writes the web test of the expanded set (`lists`) into a private folder
// with the platform script, then zips the test folder's files at the root of
// the package beside imsmanifest.xml. The package replaces `zipPath` only
// once it is complete.
ScormResult WriteScormPackage(const ScormExport& request, const ExportLists& lists, const LangStrings& lang,
                              UserInterface& ui);

}  // namespace dorvel
