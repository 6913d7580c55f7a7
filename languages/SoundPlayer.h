#pragma once

#include <string>

namespace dorvel {

// What the player's sound is doing; None when no sound is open.
enum class SoundMode {
    None,
    Open,
    Stopped,
    Playing,
};

// Plays one sound file at a time without waiting for it: opening the next
// sound closes the one before, so a new message cuts off the old one. Every
// command returns false when it fails; failures are never reported to the
// author.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    virtual bool open(const std::string& file) = 0;
    // From the start, also when the sound is already playing.
    virtual bool play() = 0;
    virtual bool stop() = 0;
    virtual bool close() = 0;
    virtual SoundMode status() const = 0;
};

}  // namespace dorvel
