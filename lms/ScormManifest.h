#pragma once

#include "lms/ScormVersion.h"

#include <string>
#include <vector>

namespace dorvel {

// What the manifest of a one-test package describes.
struct ScormManifestInput {
    ScormVersion version = ScormVersion::Scorm12;
    std::string identifier;          // the package's own identifier (an XML name)
    std::string title;               // the test's name, UTF-8
    std::string launchPage;          // path inside the package of the page the platform opens
    std::vector<std::string> files;  // every file of the package but the manifest, paths inside it
    int passMark = 0;                // percentage, 0 for none
};

// imsmanifest.xml: one organization with one item, one SCO resource that
// launches `launchPage` and lists every file, in the namespaces and schema
// version of the chosen SCORM version. A pass mark also goes to the platform
// (1.2 mastery score, 2004 primary objective satisfied by measure), so both
// sides judge a pass alike.
std::string ScormManifestText(const ScormManifestInput& input);

// A path inside the package written as a manifest href: "/" kept, every byte
// outside the unreserved characters percent-encoded.
std::string ManifestHref(const std::string& path);

}  // namespace dorvel
