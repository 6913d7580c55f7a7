#pragma once

#include <functional>
#include <string>
#include <vector>

namespace dorvel {

class LangStrings;

// Language names of the packs in the installation's DVLang folder (file
// names without ".vtc"), in listing order, at most 100.
std::vector<std::string> FindLanguagePackNames();

// Reads DVLang/<language>.vtc and applies it: string lines fill `strings`,
// component lines go to `componentLine` when given. False when the pack's
// file does not exist (nothing is applied then).
bool LoadLanguageStrings(LangStrings& strings, const std::string& language,
                         const std::function<void(const std::string&)>& componentLine = {});

}  // namespace dorvel
