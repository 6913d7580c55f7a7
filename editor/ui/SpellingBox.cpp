#include "editor/ui/SpellingBox.h"

#include "editor/spelling/SpellChecker.h"
#include "editor/ui/WidgetText.h"
#include "languages/LangStrings.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>

namespace dorvel {

namespace {

constexpr int kMostSuggestions = 6;

}  // namespace

const QRegularExpression& SpellingWords()
{
    // Letters with inner apostrophes or hyphens ("don't", "well-known").
    static const QRegularExpression pattern(QStringLiteral("\\p{L}+(?:['\\x{2019}-]\\p{L}+)*"));
    return pattern;
}

SpellHighlighter::SpellHighlighter(const SpellChecker& checker, QPlainTextEdit* box)
    : QSyntaxHighlighter(box->document())
    , m_checker(checker)
{
}

std::vector<std::pair<int, int>> MisspeltWords(const QString& text, const SpellChecker& checker)
{
    std::vector<std::pair<int, int>> words;
    if (!checker.enabled())
        return words;
    for (auto it = SpellingWords().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch word = it.next();
        if (!checker.isCorrect(toBytes(word.captured())))
            words.emplace_back(static_cast<int>(word.capturedStart()), static_cast<int>(word.capturedLength()));
    }
    return words;
}

void AddSpellingActions(QMenu* menu, const QString& word, SpellChecker& checker, const LangStrings& lang,
                        std::function<void(const QString&)> replace, std::function<void()> added)
{
    if (word.isEmpty() || !SpellingWords().match(word).hasMatch() || checker.isCorrect(toBytes(word)))
        return;
    QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
    std::vector<std::string> suggestions = checker.suggestions(toBytes(word));
    if (suggestions.size() > kMostSuggestions)
        suggestions.resize(kMostSuggestions);
    for (const std::string& suggestion : suggestions) {
        auto* action = new QAction(fromBytes(suggestion), menu);
        QObject::connect(action, &QAction::triggered, menu, [replace, suggestion] { replace(fromBytes(suggestion)); });
        menu->insertAction(first, action);
    }
    auto* add = new QAction(fromBytes(lang.at(Message::AddToDictionary)), menu);
    add->setObjectName(QStringLiteral("AddToDictionary"));
    QObject::connect(add, &QAction::triggered, menu, [&checker, word, added] {
        checker.addToPersonalList(toBytes(word));
        added();
    });
    menu->insertAction(first, add);
    menu->insertSeparator(first);
}

void SpellHighlighter::highlightBlock(const QString& text)
{
    QTextCharFormat misspelt;
    misspelt.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    misspelt.setUnderlineColor(Qt::red);
    for (const auto& [start, length] : MisspeltWords(text, m_checker))
        setFormat(start, length, misspelt);
}

QMenu* SpellingMenu(QPlainTextEdit* box, const QPoint& position, SpellChecker& checker, const LangStrings& lang,
                    std::function<void()> replaced)
{
    QMenu* menu = box->createStandardContextMenu(position);
    QTextCursor cursor = box->cursorForPosition(position);
    cursor.select(QTextCursor::WordUnderCursor);
    // The replacement is typing: it goes to the set's history like any other.
    const auto replace = [box, cursor, replaced](const QString& suggestion) mutable {
        if (replaced)
            replaced();
        cursor.insertText(suggestion);
        box->setTextCursor(cursor);
        if (replaced)
            replaced();
    };
    const auto added = [box] {
        if (auto* highlighter = box->document()->findChild<SpellHighlighter*>())
            highlighter->rehighlight();
    };
    AddSpellingActions(menu, cursor.selectedText(), checker, lang, replace, added);
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
