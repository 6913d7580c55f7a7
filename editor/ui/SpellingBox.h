#pragma once

#include <QSyntaxHighlighter>

#include <functional>
#include <utility>
#include <vector>

class QMenu;
class QPlainTextEdit;
class QRegularExpression;

namespace dorvel {

class LangStrings;
class SpellChecker;

// What the checker takes for a word: letters, with inner apostrophes or
// hyphens.
const QRegularExpression& SpellingWords();

// The words of `text` the checker does not know, as (start, length); none
// while the checker is off.
std::vector<std::pair<int, int>> MisspeltWords(const QString& text, const SpellChecker& checker);

// Puts the suggestions for a misspelt `word` and "Add to dictionary" above
// the first item of `menu`; nothing for a word that is known. `replace`
// puts a suggestion in the word's place, `added` runs after the word went
// into the personal list.
void AddSpellingActions(QMenu* menu, const QString& word, SpellChecker& checker, const LangStrings& lang,
                        std::function<void(const QString&)> replace, std::function<void()> added);

// Underlines the words of a text box that the spell checker does not know.
class SpellHighlighter : public QSyntaxHighlighter {
public:
    SpellHighlighter(const SpellChecker& checker, QPlainTextEdit* box);

protected:
    void highlightBlock(const QString& text) override;

private:
    const SpellChecker& m_checker;
};

// Spelling for a text box: the underline, and a right-click menu that offers
// suggestions for a misspelt word and "Add to dictionary" above the box's own
// items.
// `replaced` runs before and after a suggestion replaces a word.
void AttachSpelling(QPlainTextEdit* box, SpellChecker& checker, const LangStrings& lang,
                    std::function<void()> replaced = {});
// The right-click menu at `position` (box coordinates); the caller owns it.
QMenu* SpellingMenu(QPlainTextEdit* box, const QPoint& position, SpellChecker& checker, const LangStrings& lang,
                    std::function<void()> replaced = {});

}  // namespace dorvel
