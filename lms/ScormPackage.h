#pragma once

#include "export/FlowPages.h"
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
    // The flowing pages read the set's records themselves; the classic ones
    // the expanded lists.
    WebLayout layout = WebLayout::Classic;
    std::vector<std::string> questions;
    std::string setFilePath;
};

struct ScormResult {
    bool written = false;
    std::string error;               // why nothing was written
    std::vector<std::string> files;  // the package's files as listed in the manifest
};

// The page of the package the platform opens: the test's frameset, or the
// flowing pages' page.
inline constexpr const char* kScormLaunchPage = "frame.htm";
inline constexpr const char* kScormFlowLaunchPage = "index.htm";

// The test's script that talks to the platform (export/web/scorm.js), told
// its SCORM version and pass mark.
std::string ScormScriptText(ScormVersion version, int passMark);
// The same for the flowing pages (export/web/flow/scorm.js, an engine adapter).
std::string ScormAdapterText(ScormVersion version, int passMark);

// Writes the web test of the expanded set (`lists`) into a private folder
// with the platform script, then zips the test folder's files at the root of
// the package beside imsmanifest.xml. The package replaces `zipPath` only
// once it is complete.
ScormResult WriteScormPackage(const ScormExport& request, const ExportLists& lists, const LangStrings& lang,
                              UserInterface& ui);

}  // namespace dorvel
