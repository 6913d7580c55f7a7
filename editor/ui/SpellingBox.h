#pragma once

#include <QSyntaxHighlighter>

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
void AttachSpelling(QPlainTextEdit* box, SpellChecker& checker, const LangStrings& lang);
// The right-click menu at `position` (box coordinates); the caller owns it.
QMenu* SpellingMenu(QPlainTextEdit* box, const QPoint& position, SpellChecker& checker, const LangStrings& lang);

}  // namespace dorvel
