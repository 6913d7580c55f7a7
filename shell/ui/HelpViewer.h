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

// Help as HTML pages in the folder "DVHelp" of the installation folder
// (the help file "vtDVHelp.chm" unpacked), opened in the desktop's browser.
// Not available while that folder does not exist.
class FolderHelpViewer : public HelpViewer {
public:
    FolderHelpViewer();
    bool available() const override;
    bool showTopic(const std::string& topic) override;
    // The file a topic names: "::/F30ScreenSize.htm" -> <folder>/F30ScreenSize.htm.
    std::string topicFile(const std::string& topic) const;

private:
    std::string m_folder;
};

}  // namespace dorvel
