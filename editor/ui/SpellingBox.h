#pragma once

#include <QSyntaxHighlighter>

#include <functional>

class QMenu;
class QPlainTextEdit;

namespace dorvel {

class LangStrings;
class SpellChecker;

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
