#pragma once

#include <string>

namespace dorvel {

// Shows pages of the help. Topics are the help file's own names, such as
// "::/LinksDV.html" or "::/F30ScreenSize.htm".
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual bool available() const = 0;
    // False when the topic could not be shown.
    virtual bool showTopic(const std::string& topic) = 0;
    // Closes every help window (when the editor ends).
    virtual void closeAll() {}
};

}  // namespace dorvel
