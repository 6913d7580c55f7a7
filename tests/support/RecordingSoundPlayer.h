#pragma once

#include "languages/SoundPlayer.h"

#include <string>
#include <vector>

namespace dorvel::test {

// A sound player that plays nothing and records what it was asked to open
// and how often to play.
class RecordingSoundPlayer : public SoundPlayer {
public:
    std::vector<std::string> opened;
    int plays = 0;

    bool open(const std::string& file) override
    {
        opened.push_back(file);
        return true;
    }
    bool play() override { return ++plays > 0; }
    bool stop() override { return true; }
    bool close() override { return true; }
    SoundMode status() const override { return SoundMode::None; }
};

}  // namespace dorvel::test
