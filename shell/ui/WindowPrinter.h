#pragma once

class QPrinter;
class QWidget;

namespace dorvel {

// Prints a picture of the window as it is shown on screen, scaled to fit
// the page. False when the printer could not be started.
bool PrintWindowPicture(QWidget& window, QPrinter& printer);

}  // namespace dorvel
