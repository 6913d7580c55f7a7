#pragma once

#include <string>

class QWidget;

namespace dorvel {

class HintTexts;

// Applies one component line of a language pack ("TestNameLabel Caption
// Test name") to the window's component of that name: captions, hints, list
// items, radio group items, dialog titles and filters, and the captions of
// the main window ("Dorvel FormCaption ...") and the About box. A hint line
// ("TestName Hint7 ...") also becomes hint text 7. Lines naming a component
// the window does not have, or a property its kind does not take, change
// nothing. True when something on screen changed.
bool ApplyComponentLine(QWidget& window, const std::string& line, HintTexts& hints);

}  // namespace dorvel
