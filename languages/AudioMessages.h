#pragma once

#include <string>
#include <string_view>

namespace dorvel {

class HintTexts;
class SoundPlayer;

// The recording of a message key or hint ("s19", "Hint7") in the sounds
// folder: key.mp3, or key.wav when there is no .mp3; "" when neither exists.
std::string SoundFileForKey(const std::string& key);

// Spoken messages: every message shown is announced, which makes it the last
// message and plays it when spoken messages are on; Tell Me (Audio) plays the
// last message again whether they are on or not.
class AudioMessages {
public:
    // `player` may be null: nothing is ever played then.
    explicit AudioMessages(SoundPlayer* player);
    // Plays through another player from now on (may be null).
    void setPlayer(SoundPlayer* player) { m_player = player; }

    void AnnounceMessage(const std::string& key);
    // Plays the key's recording when there is one whose contents match its
    // extension. Leaves the last message alone (start-up messages use this).
    void PlayMessage(const std::string& key);
    void PlayLastAudioMessageExecute();
    // The hint on screen changed: when it is one of the pack's numbered hint
    // texts, that hint becomes the last message (nothing is played).
    void HintShown(std::string_view hint, const HintTexts& hints);

    bool playMessages() const { return m_playMessages; }
    void setPlayMessages(bool on) { m_playMessages = on; }
    const std::string& lastMessageKey() const { return m_lastMessageKey; }

private:
    SoundPlayer* m_player;
    bool m_playMessages = false;
    std::string m_lastMessageKey;
};

}  // namespace dorvel
