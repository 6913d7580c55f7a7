#pragma once

#include <functional>
#include <string>

namespace dorvel {

// Opens a file or an address with the desktop's opener (xdg-open), as a
// double-click in the file manager would. False when the opener cannot be
// started at all. The opener may fail later (no browser is set up, or the
// browser it found would not start): `failed` is then called in the event
// loop, when the opener ends within `watchMs` without success. An opener
// still running by then has handed the file to a program, and is left to run
// (it may outlive the caller; the program it started is never ended by it).
bool OpenWithDesktop(const std::string& target, std::function<void()> failed, int watchMs = 15000);

}  // namespace dorvel
