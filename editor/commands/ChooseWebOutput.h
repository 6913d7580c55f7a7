#pragma once

#include <string>

namespace dorvel {

class LangStrings;
class UserInterface;
class Workspace;

// The Create Web Pages button: asks what to make of the current set (a web
// test folder, the test as one file, or a package for a learning platform in either SCORM version)
// and makes it.
void CreateWebOutputCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang, const std::string& language);

}  // namespace dorvel
