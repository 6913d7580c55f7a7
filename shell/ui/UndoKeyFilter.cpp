#include "shell/ui/UndoKeyFilter.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace dorvel {

namespace {

bool isUndoOrRedo(const QKeyEvent* key)
{
    const QKeySequence pressed(key->keyCombination());
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
        || pressed == QKeySequence(Qt::CTRL | Qt::Key_Y) || pressed == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

}  // namespace

UndoKeyFilter::UndoKeyFilter(QWidget* window)
    : QObject(window)
    , m_window(window)
{
}

bool UndoKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_window || !isUndoOrRedo(static_cast<QKeyEvent*>(event)))
        return false;
    // Not accepting the override lets the window's shortcut take the key;
    // the box never sees the press.
    event->ignore();
    return true;
}

}  // namespace dorvel
