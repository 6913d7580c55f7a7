#pragma once

#include <QObject>

#include <functional>

class QLineEdit;
class QMenu;
class QPoint;

namespace dorvel {

class LangStrings;
class SpellChecker;

// Spelling for a one-line box (an accepted answer, the test name). A line
// box has no highlighter: the misspelt words are handed to it as the
// formats an input method would give its text, which it draws under the
// words. While the author composes with an input method the box's own
// formats are left alone, and the words are checked once the text is in.
class LineSpelling : public QObject {
    Q_OBJECT

public:
    LineSpelling(QLineEdit* box, const SpellChecker& checker);

    // Checks the box's text again (after a change of dictionary or words).
    void recheck();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_box;
    const SpellChecker& m_checker;
    bool m_composing = false;
    bool m_sending = false;
};

// The underline, and a right-click menu with suggestions for a misspelt
// word and "Add to dictionary" above the box's own items. `replaced` runs
// before and after a suggestion replaces a word.
void AttachLineSpelling(QLineEdit* box, SpellChecker& checker, const LangStrings& lang,
                        std::function<void()> replaced = {});
// The right-click menu at `position` (box coordinates); the caller owns it.
QMenu* LineSpellingMenu(QLineEdit* box, const QPoint& position, SpellChecker& checker, const LangStrings& lang,
                        std::function<void()> replaced = {});

}  // namespace dorvel
