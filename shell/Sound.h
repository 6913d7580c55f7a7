#pragma once

// Spoken messages and the sound player behind them.
#include "shell/AudioMessages.h"
#include "shell/SoundPlayer.h"
