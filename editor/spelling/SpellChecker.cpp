#include "editor/spelling/SpellChecker.h"

#include "storage/FileUtils.h"

#include <hunspell.hxx>

#include <QDir>
#include <QStandardPaths>

#include <map>
#include <set>
#include <sstream>

namespace dorvel {

SpellChecker::SpellChecker(std::string personalList)
    : m_personalList(std::move(personalList))
{
}

SpellChecker::~SpellChecker() = default;

std::vector<std::string> SpellChecker::dictionaryFolders()
{
    return {"/usr/share/hunspell/", "/usr/local/share/hunspell/", "/usr/share/myspell/"};
}

std::vector<std::string> SpellChecker::installedDictionaries()
{
    std::set<std::string> names;
    for (const std::string& folder : dictionaryFolders())
        for (const QString& aff : QDir(toQString(folder)).entryList({QStringLiteral("*.aff")}, QDir::Files)) {
            const std::string name = fromQString(aff.left(aff.size() - 4));
            if (FileExists(folder + name + ".dic"))
                names.insert(name);
        }
    return {names.begin(), names.end()};
}

std::string SpellChecker::dictionaryFor(const std::string& language)
{
    static const std::map<std::string, std::string> kByLanguage = {
        {"English (UK)", "en_GB"},
        {"English (US)", "en_US"},
        {"Deutsch", "de_DE"},
        {"Français", "fr_FR"},
        {"Español", "es_ES"},
        {"Nederlands", "nl_NL"},
    };
    const auto found = kByLanguage.find(language);
    return found == kByLanguage.end() ? language : found->second;
}

std::string SpellChecker::defaultPersonalList()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return JoinPath(JoinPath(fromQString(data), "Dorvel"), "words.txt");
}

bool SpellChecker::setLanguage(const std::string& languageOrDictionary)
{
    m_hunspell.reset();
    m_dictionary.clear();
    const std::string name = dictionaryFor(languageOrDictionary);
    for (const std::string& folder : dictionaryFolders()) {
        const std::string aff = folder + name + ".aff";
        const std::string dic = folder + name + ".dic";
        if (!FileExists(aff) || !FileExists(dic))
            continue;
        auto hunspell = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
        // Words cross as UTF-8; a dictionary in another encoding stays off.
        if (hunspell->get_dict_encoding() != "UTF-8")
            continue;
        std::string words;
        if (ReadFileBytes(m_personalList, words)) {
            std::istringstream lines(words);
            for (std::string word; std::getline(lines, word);)
                if (!word.empty())
                    hunspell->add(word);
        }
        m_hunspell = std::move(hunspell);
        m_dictionary = name;
        return true;
    }
    return false;
}

bool SpellChecker::isCorrect(const std::string& word) const
{
    return !m_hunspell || m_hunspell->spell(word);
}

std::vector<std::string> SpellChecker::suggestions(const std::string& word) const
{
    return m_hunspell ? m_hunspell->suggest(word) : std::vector<std::string>{};
}

void SpellChecker::addToPersonalList(const std::string& word)
{
    if (word.empty() || word.find('\n') != std::string::npos)
        return;
    if (m_hunspell)
        m_hunspell->add(word);
    std::string words;
    ReadFileBytes(m_personalList, words);
    ForceDirectory(ExtractFilePath(m_personalList));
    WriteFileBytes(m_personalList, words + word + "\n");
}

}  // namespace dorvel
