#pragma once

#include <string>

// The installation folder: the executables and the data folders beside them
// (Buttons, DorvelTemplates, DVLang, DVSounds, help). Every path it returns
// ends with a separator.
namespace dorvel {

// The folder of the running executable, unless SetInstallationFolder names
// another. Builds with tests (DORVEL_TEST_HOOKS) also take the folder from
// DORVEL_HOME, where tests start the programs on a fixture installation; but
// only programs that run from the build's folders, which hold the marker
// file kBuildTreeMarker (never installed).
std::string InstallationFolder();
inline constexpr const char* kBuildTreeMarker = ".dorvel-build-tree";
void SetInstallationFolder(const std::string& folder);

std::string ButtonsFolder();    // <installation>/Buttons/
std::string TemplatesFolder();  // <installation>/DorvelTemplates/
std::string LanguageFolder();   // <installation>/DVLang/
std::string SoundsFolder();     // <installation>/DVSounds/

// Where the programs leave files for each other (the hand-off file of a
// second start, the question player's start file): the installation folder
// when the user may write there, as in a private installation; otherwise,
// as under a system-wide prefix, a folder of the user's own
// (~/.local/share/Dorvel/), made on first use.
std::string HandOverFolder();

}  // namespace dorvel
