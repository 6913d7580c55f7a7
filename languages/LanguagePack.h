#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dorvel {

class LangStrings;

// The language used when the settings name none.
inline constexpr const char* kDefaultLanguage = "English (UK)";

// Language names of the packs in the installation's DVLang folder (file
// names without ".vtc"), in listing order, at most 100.
std::vector<std::string> FindLanguagePackNames();

struct LanguageChoice {
    std::string current;
    // The Language menu is offered only when there is a choice to make.
    bool menuVisible = false;
};

// Which of the found packs to apply, given the stored `langchoice` (nothing
// when the setting is absent or not a string). A single pack is used
// whatever the setting says; a stored name that matches no pack falls back
// to the first one listed. Nothing when no pack was found.
std::optional<LanguageChoice> ChooseLanguage(const std::vector<std::string>& found,
                                             const std::optional<std::string>& langchoice);

// The pack that speaks the system's language, for a first start: `wanted`
// are the system's languages, most wanted first, as tags ("de-DE", "de"),
// and each pack names its own language in entry 260. A pack of the same
// language and region comes before one of the language alone; English (UK)
// when no pack speaks any of them.
std::string PackForSystemLanguages(const std::vector<std::string>& found, const std::vector<std::string>& wanted);

// Reads DVLang/<language>.vtc and applies it: string lines fill `strings`,
// component lines go to `componentLine` when given. False when the pack's
// file does not exist (nothing is applied then).
bool LoadLanguageStrings(LangStrings& strings, const std::string& language,
                         const std::function<void(const std::string&)>& componentLine = {});

}  // namespace dorvel
