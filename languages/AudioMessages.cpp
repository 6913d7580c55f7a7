#include "languages/AudioMessages.h"

#include "languages/HintTexts.h"
#include "languages/SoundPlayer.h"
#include "media/MediaFileCheck.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

namespace dorvel {

std::string SoundFileForKey(const std::string& key)
{
    for (const char* extension : {".mp3", ".wav"}) {
        const std::string file = SoundsFolder() + key + extension;
        if (FileExists(file))
            return file;
    }
    return {};
}

AudioMessages::AudioMessages(SoundPlayer* player)
    : m_player(player)
{
}

void AudioMessages::AnnounceMessage(const std::string& key)
{
    m_lastMessageKey = key;
    if (m_playMessages)
        PlayMessage(key);
}

void AudioMessages::PlayMessage(const std::string& key)
{
    if (key.size() <= 2 || !m_player)
        return;
    const std::string file = SoundFileForKey(key);
    if (file.empty() || !CheckMediaFile(file))
        return;
    if (m_player->open(file))
        m_player->play();
}

void AudioMessages::PlayLastAudioMessageExecute()
{
    PlayMessage(m_lastMessageKey);
}

void AudioMessages::HintShown(std::string_view hint, const HintTexts& hints)
{
    // A hint may come as "short|long"; the long part is the one spoken.
    if (const std::size_t bar = hint.find('|'); bar != std::string_view::npos)
        hint.remove_prefix(bar + 1);
    if (const int n = hints.match(hint); n > 0)
        m_lastMessageKey = "Hint" + std::to_string(n);
}

}  // namespace dorvel
