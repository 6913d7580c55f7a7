#pragma once

#include <QRect>

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
    // The same, with the help placed beside `window` (the editor's frame on
    // the screen) rather than over or behind it, where the screen has room.
    virtual bool showTopicBeside(const std::string& topic, const QRect& window)
    {
        (void)window;
        return showTopic(topic);
    }
    // The language pack chosen: the guide in that language where there is one.
    virtual void setLanguage(const std::string& language) { (void)language; }
    // Closes every help window (when the editor ends).
    virtual void closeAll() {}
};

}  // namespace dorvel
