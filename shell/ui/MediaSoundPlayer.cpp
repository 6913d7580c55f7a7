#include "shell/ui/MediaSoundPlayer.h"

#include "storage/FileUtils.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace dorvel {

MediaSoundPlayer::MediaSoundPlayer(Device device, QObject* parent)
    : QObject(parent)
    , m_device(device)
{
}

MediaSoundPlayer::~MediaSoundPlayer()
{
    close();
}

bool MediaSoundPlayer::open(const std::string& file)
{
    close();
    if (!FileExists(file))
        return false;
    // Without a sound device there is nothing to hear, and some media
    // back ends misbehave when asked to play into none.
    if (m_device == Device::Required && QMediaDevices::defaultAudioOutput().isNull())
        return false;
    if (!m_player) {
        m_output = std::make_unique<QAudioOutput>();
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(m_output.get());
    }
    m_player->setSource(QUrl::fromLocalFile(toQString(file)));
    if (m_player->error() != QMediaPlayer::NoError)
        return false;
    m_open = true;
    return true;
}

bool MediaSoundPlayer::play()
{
    if (status() == SoundMode::None)
        return false;
    if (status() == SoundMode::Playing)
        m_player->stop();
    m_player->setPosition(0);
    m_player->play();
    return true;
}

bool MediaSoundPlayer::stop()
{
    if (status() != SoundMode::Playing)
        return false;
    m_player->stop();
    return true;
}

bool MediaSoundPlayer::close()
{
    if (status() == SoundMode::None)
        return false;
    m_player->stop();
    m_player->setSource(QUrl());
    m_open = false;
    return true;
}

SoundMode MediaSoundPlayer::status() const
{
    if (!m_open || !m_player)
        return SoundMode::None;
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState:
        return SoundMode::Playing;
    case QMediaPlayer::PausedState:
    case QMediaPlayer::StoppedState:
        return m_player->position() > 0 ? SoundMode::Stopped : SoundMode::Open;
    }
    return SoundMode::None;
}

QString MediaSoundPlayer::source() const
{
    return m_open && m_player ? m_player->source().toLocalFile() : QString();
}

}  // namespace dorvel
