#pragma once

#include <string>

namespace dorvel {

class LangStrings;

// The language the editor was last set to (its per-user setting), as the
// installed packs offer it; loads that pack's texts into `strings`. Returns
// the language's name, "" when no pack is installed.
std::string LoadPlayerLanguage(LangStrings& strings);

}  // namespace dorvel
