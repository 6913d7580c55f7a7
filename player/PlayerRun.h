#pragma once

namespace dorvel {

struct PlayerOptions;

// Plays the bank the options name (or the one the start file names): writes
// its web test into a private folder, serves it on 127.0.0.1 and opens it,
// until Stop, a closed window or SIGINT/SIGTERM/SIGHUP; then removes the
// folder and returns the exit code. `windowed` shows the player's window and
// message boxes, and needs a QApplication; the browser is opened through
// QDesktopServices, so a URL handler set there receives it instead.
int RunPlayer(const PlayerOptions& options, bool windowed);

}  // namespace dorvel
