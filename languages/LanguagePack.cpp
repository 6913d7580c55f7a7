#include "languages/LanguagePack.h"

#include "languages/LangStrings.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

namespace dorvel {

std::vector<std::string> FindLanguagePackNames()
{
    std::vector<std::string> names;
    for (const std::string& file : ListFiles(LanguageFolder())) {
        if (names.size() >= 100)
            break;
        if (file.size() > 4 && LowerCase(ExtractFileExt(file)) == ".vtc")
            names.push_back(file.substr(0, file.size() - 4));
    }
    return names;
}

std::optional<LanguageChoice> ChooseLanguage(const std::vector<std::string>& found,
                                             const std::optional<std::string>& langchoice)
{
    if (found.empty())
        return std::nullopt;
    if (found.size() == 1)
        return LanguageChoice{found.front(), false};
    std::string wanted = langchoice.value_or(std::string());
    if (wanted.size() < 2)
        wanted = kDefaultLanguage;
    for (const std::string& name : found)
        if (name == wanted)
            return LanguageChoice{name, true};
    return LanguageChoice{found.front(), true};
}

bool LoadLanguageStrings(LangStrings& strings, const std::string& language,
                         const std::function<void(const std::string&)>& componentLine)
{
    const std::string path = LanguageFolder() + language + ".vtc";
    if (!FileExists(path))
        return false;
    strings.applyPack(ReadStoredFile(path), componentLine);
    return true;
}

}  // namespace dorvel
