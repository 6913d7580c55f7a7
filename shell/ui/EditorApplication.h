#pragma once

class QApplication;

namespace dorvel {

// The editor program: becomes the one running instance (or hands its
// arguments to it and ends), then runs the main window. Returns the exit code.
int RunEditor(QApplication& app);

}  // namespace dorvel
