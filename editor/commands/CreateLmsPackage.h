#pragma once

#include "lms/ScormVersion.h"

#include <string>

namespace dorvel {

class LangStrings;
class UserInterface;
class Workspace;

// The editor's LMS package: asks where to save the zip, saves and expands
// the current set, writes the package with the set's pass mark and says
// where it went (or why it could not be written).
void CreateLmsPackageCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang, const std::string& language,
                          ScormVersion version);

}  // namespace dorvel
