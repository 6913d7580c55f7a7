#pragma once

#include <QObject>

namespace dorvel {

class AudioMessages;
class HintTexts;

// Watches the hints the application shows (tool tips of controls, status
// tips of menu items) and hands each to the spoken messages, so that Tell
// Me (Audio) speaks the hint the mouse rests on. Install it on the
// application.
class HintWatcher : public QObject {
    Q_OBJECT

public:
    HintWatcher(AudioMessages& audio, const HintTexts& hints, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AudioMessages& m_audio;
    const HintTexts& m_hints;
};

}  // namespace dorvel
