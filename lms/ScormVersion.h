#pragma once

#include <optional>
#include <string_view>

namespace dorvel {

// The two SCORM versions learning platforms import: 1.2 and 2004 4th edition.
enum class ScormVersion {
    Scorm12,
    Scorm2004,
};

// "1.2" or "2004" (as on the command line); nothing for anything else.
std::optional<ScormVersion> ScormVersionNamed(std::string_view name);
// "1.2" or "2004": the name the test's script is told.
std::string_view ScormVersionName(ScormVersion version);

}  // namespace dorvel
