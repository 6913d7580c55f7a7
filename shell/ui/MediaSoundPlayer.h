#pragma once

#include "languages/SoundPlayer.h"

#include <QObject>

#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace dorvel {

// Plays recorded messages through Qt Multimedia, one at a time, without
// waiting: play() returns at once and the sound runs on in the background.
// On a machine without a sound device it stays silent and opens nothing,
// unless told to play anyway (GStreamer then plays into nowhere, which is
// what tests of the playing itself use).
class MediaSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT

public:
    enum class Device {
        Required,
        Optional,
    };

    explicit MediaSoundPlayer(Device device = Device::Required, QObject* parent = nullptr);
    ~MediaSoundPlayer() override;

    bool open(const std::string& file) override;
    bool play() override;
    bool stop() override;
    bool close() override;
    SoundMode status() const override;

    // The file of the open sound; empty when none is open.
    QString source() const;

private:
    Device m_device;
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
    bool m_open = false;
};

}  // namespace dorvel
