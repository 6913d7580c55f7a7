#include "languages/LanguagePack.h"

#include "languages/LangStrings.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <cctype>
#include <utility>

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

namespace {

// "de_DE", "de-de" and "DE-DE" are one tag.
std::string NormalTag(std::string tag)
{
    for (char& c : tag)
        c = c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tag;
}

std::string PrimaryLanguage(const std::string& tag)
{
    return tag.substr(0, tag.find('-'));
}

}  // namespace

std::string PackForSystemLanguages(const std::vector<std::string>& found, const std::vector<std::string>& wanted)
{
    std::vector<std::pair<std::string, std::string>> tags;  // pack, its language tag
    for (const std::string& pack : found) {
        LangStrings strings;
        if (LoadLanguageStrings(strings, pack))
            tags.emplace_back(pack, NormalTag(strings.at(Message::LanguageTag)));
    }
    for (const std::string& language : wanted) {
        const std::string tag = NormalTag(language);
        if (tag.empty() || tag == "c" || tag == "posix")
            continue;
        for (const auto& [pack, packTag] : tags)
            if (packTag == tag)
                return pack;
        for (const auto& [pack, packTag] : tags)
            if (!packTag.empty() && PrimaryLanguage(packTag) == PrimaryLanguage(tag))
                return pack;
    }
    return kDefaultLanguage;
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
