#pragma once

// Spoken messages and the sound player behind them.
#include "languages/AudioMessages.h"
#include "languages/SoundPlayer.h"
