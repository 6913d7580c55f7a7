#include "shell/ui/ApplicationShortCut.h"

#include <QKeyEvent>

namespace dorvel {

ApplicationShortCut::ApplicationShortCut(std::function<void()> help, std::function<void()> lastMessage,
                                         std::function<void()> tutorial, QObject* parent)
    : QObject(parent)
    , m_help(std::move(help))
    , m_lastMessage(std::move(lastMessage))
    , m_tutorial(std::move(tutorial))
{
}

bool ApplicationShortCut::eventFilter(QObject* watched, QEvent* event)
{
    // Shortcut overrides arrive first; claiming them keeps the menus' own
    // shortcuts from firing as well, and the key press that follows runs it.
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return false;
    const std::function<void()>* action = nullptr;
    switch (key->key()) {
    case Qt::Key_F1:
        action = &m_help;
        break;
    case Qt::Key_F2:
        action = &m_lastMessage;
        break;
    case Qt::Key_F3:
        action = &m_tutorial;
        break;
    default:
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (key->isAutoRepeat())
        return true;
    if (*action)
        (*action)();
    return true;
}

}  // namespace dorvel
