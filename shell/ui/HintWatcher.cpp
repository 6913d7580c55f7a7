#include "shell/ui/HintWatcher.h"

#include "editor/ui/WidgetText.h"
#include "languages/AudioMessages.h"
#include "shell/ui/HintDelayStyle.h"

#include <QEvent>
#include <QStatusTipEvent>
#include <QWidget>

namespace dorvel {

HintWatcher::HintWatcher(AudioMessages& audio, const HintTexts& hints, QObject* parent)
    : QObject(parent)
    , m_audio(audio)
    , m_hints(hints)
{
}

bool HintWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        // The event travels up from the control under the mouse until one
        // has a hint; each one that has shows it.
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && !widget->toolTip().isEmpty()) {
            // Qt's own duration grows with the length of the text; hints
            // stay a fixed time, long enough to read the longest.
            if (widget->toolTipDuration() < 0)
                widget->setToolTipDuration(kHintShowTimeMs);
            m_audio.HintShown(toBytes(widget->toolTip()), m_hints);
        }
    } else if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (!tip.isEmpty())
            m_audio.HintShown(toBytes(tip), m_hints);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace dorvel
