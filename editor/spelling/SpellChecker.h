#pragma once

#include <memory>
#include <string>
#include <vector>

class Hunspell;

namespace dorvel {

// Spelling with Hunspell and the system's dictionaries (Debian's
// hunspell-en-gb, hunspell-de-de, ...), plus the author's own word list.
// Without a dictionary for the language the checker is off: every word
// passes and nothing is suggested.
class SpellChecker {
public:
    // `personalList`: the author's words, one a line (made when a word is added).
    explicit SpellChecker(std::string personalList);
    ~SpellChecker();

    // The dictionary of an interface language ("English (UK)" -> en_GB), or
    // a dictionary name itself; false (and off) when none is installed.
    bool setLanguage(const std::string& languageOrDictionary);
    bool enabled() const { return m_hunspell != nullptr; }
    const std::string& dictionary() const { return m_dictionary; }

    // UTF-8 words.
    bool isCorrect(const std::string& word) const;
    std::vector<std::string> suggestions(const std::string& word) const;
    // Into the personal list, for this and every later session.
    void addToPersonalList(const std::string& word);

    // Folders searched for NAME.aff and NAME.dic.
    static std::vector<std::string> dictionaryFolders();
    // The names of the dictionaries installed ("de_DE", "en_GB", ...), sorted.
    static std::vector<std::string> installedDictionaries();
    static std::string dictionaryFor(const std::string& language);
    static std::string defaultPersonalList();

private:
    std::unique_ptr<Hunspell> m_hunspell;
    std::string m_dictionary;
    std::string m_personalList;
};

}  // namespace dorvel
