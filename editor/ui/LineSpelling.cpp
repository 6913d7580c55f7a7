#include "editor/ui/LineSpelling.h"

#include "editor/spelling/SpellChecker.h"
#include "editor/ui/SpellingBox.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTextCharFormat>

namespace dorvel {

LineSpelling::LineSpelling(QLineEdit* box, const SpellChecker& checker)
    : QObject(box)
    , m_box(box)
    , m_checker(checker)
{
    box->installEventFilter(this);
    // After the box has taken the change (and moved its cursor).
    connect(box, &QLineEdit::textChanged, this, &LineSpelling::recheck, Qt::QueuedConnection);
    recheck();
}

void LineSpelling::recheck()
{
    if (m_composing)
        return;
    QTextCharFormat misspelt;
    misspelt.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    misspelt.setUnderlineColor(Qt::red);
    QList<QInputMethodEvent::Attribute> formats;
    // The box places these formats from its cursor.
    const int cursor = m_box->cursorPosition();
    for (const auto& [start, length] : MisspeltWords(m_box->text(), m_checker))
        formats.append({QInputMethodEvent::TextFormat, start - cursor, length, misspelt});
    QInputMethodEvent event(QString(), formats);
    m_sending = true;
    QCoreApplication::sendEvent(m_box, &event);
    m_sending = false;
}

bool LineSpelling::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::InputMethod && !m_sending) {
        m_composing = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
        if (!m_composing)
            QMetaObject::invokeMethod(this, &LineSpelling::recheck, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

QMenu* LineSpellingMenu(QLineEdit* box, const QPoint& position, SpellChecker& checker, const LangStrings& lang,
                        std::function<void()> replaced)
{
    QMenu* menu = box->createStandardContextMenu();
    const int at = box->cursorPositionAt(position);
    int start = -1;
    int length = 0;
    // The word under the mouse, as the checker cuts the text into words.
    for (auto it = SpellingWords().globalMatch(box->text()); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart() <= at && at <= m.capturedEnd()) {
            start = static_cast<int>(m.capturedStart());
            length = static_cast<int>(m.capturedLength());
            break;
        }
    }
    if (start < 0)
        return menu;
    // The replacement is typing: it goes to the set's history like any other.
    const auto replace = [box, start, length, replaced](const QString& suggestion) {
        if (replaced)
            replaced();
        box->setSelection(start, length);
        box->insert(suggestion);
        if (replaced)
            replaced();
    };
    const auto added = [box] {
        if (auto* spelling = box->findChild<LineSpelling*>())
            spelling->recheck();
    };
    AddSpellingActions(menu, box->text().mid(start, length), checker, lang, replace, added);
    return menu;
}

void AttachLineSpelling(QLineEdit* box, SpellChecker& checker, const LangStrings& lang, std::function<void()> replaced)
{
    new LineSpelling(box, checker);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(box, &QLineEdit::customContextMenuRequested, box, [box, &checker, &lang, replaced](const QPoint& at) {
        QMenu* menu = LineSpellingMenu(box, at, checker, lang, replaced);
        menu->exec(box->mapToGlobal(at));
        delete menu;
    });
}

}  // namespace dorvel
