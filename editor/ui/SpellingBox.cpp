#include "editor/ui/SpellingBox.h"

#include "editor/spelling/SpellChecker.h"
#include "editor/ui/WidgetText.h"
#include "shell/LangStrings.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>

namespace dorvel {

namespace {

constexpr int kMostSuggestions = 6;

const QRegularExpression& wordPattern()
{
    // Letters with inner apostrophes or hyphens ("don't", "well-known").
    static const QRegularExpression pattern(QStringLiteral("\\p{L}+(?:['\\x{2019}-]\\p{L}+)*"));
    return pattern;
}

}  // namespace

SpellHighlighter::SpellHighlighter(const SpellChecker& checker, QPlainTextEdit* box)
    : QSyntaxHighlighter(box->document()), m_checker(checker)
{
}

void SpellHighlighter::highlightBlock(const QString& text)
{
    if (!m_checker.enabled())
        return;
    QTextCharFormat misspelt;
    misspelt.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    misspelt.setUnderlineColor(Qt::red);
    for (auto it = wordPattern().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch word = it.next();
        if (!m_checker.isCorrect(toBytes(word.captured())))
            setFormat(static_cast<int>(word.capturedStart()), static_cast<int>(word.capturedLength()), misspelt);
    }
}

QMenu* SpellingMenu(QPlainTextEdit* box, const QPoint& position, SpellChecker& checker, const LangStrings& lang,
                    std::function<void()> replaced)
{
    QMenu* menu = box->createStandardContextMenu(position);
    QTextCursor cursor = box->cursorForPosition(position);
    cursor.select(QTextCursor::WordUnderCursor);
    const QString word = cursor.selectedText();
    if (word.isEmpty() || !wordPattern().match(word).hasMatch() || checker.isCorrect(toBytes(word)))
        return menu;
    QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
    std::vector<std::string> suggestions = checker.suggestions(toBytes(word));
    if (suggestions.size() > kMostSuggestions)
        suggestions.resize(kMostSuggestions);
    for (const std::string& suggestion : suggestions) {
        auto* replace = new QAction(fromBytes(suggestion), menu);
        // The replacement is typing: it goes to the set's history like any other.
        QObject::connect(replace, &QAction::triggered, box, [box, cursor, suggestion, replaced]() mutable {
            if (replaced)
                replaced();
            cursor.insertText(fromBytes(suggestion));
            box->setTextCursor(cursor);
            if (replaced)
                replaced();
        });
        menu->insertAction(first, replace);
    }
    auto* add = new QAction(fromBytes(lang.at(408)), menu);
    add->setObjectName(QStringLiteral("AddToDictionary"));
    QObject::connect(add, &QAction::triggered, box, [box, &checker, word] {
        checker.addToPersonalList(toBytes(word));
        if (auto* highlighter = box->document()->findChild<SpellHighlighter*>())
            highlighter->rehighlight();
    });
    menu->insertAction(first, add);
    menu->insertSeparator(first);
    return menu;
}

void AttachSpelling(QPlainTextEdit* box, SpellChecker& checker, const LangStrings& lang,
                    std::function<void()> replaced)
{
    new SpellHighlighter(checker, box);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(box, &QPlainTextEdit::customContextMenuRequested, box,
                     [box, &checker, &lang, replaced](const QPoint& at) {
        QMenu* menu = SpellingMenu(box, at, checker, lang, replaced);
        menu->exec(box->viewport()->mapToGlobal(at));
        delete menu;
    });
}

}  // namespace dorvel
