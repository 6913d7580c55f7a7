#pragma once

#include "shell/ui/HelpViewer.h"

#include <QPointer>

class QTextBrowser;
class QWidget;

namespace dorvel {

// The user guide in a window of its own: the HTML pages of the DVHelp folder
// shown in a text browser, with Contents, Back and Forward. Links between
// pages stay in the window; links to web addresses go to the desktop's
// browser. Nothing is fetched from the network.
class HelpBrowser : public HelpViewer {
public:
    HelpBrowser();
    ~HelpBrowser() override;

    bool available() const override;
    // The guide of this language pack from now on (English where it has none).
    void setLanguage(const std::string& language) override;
    bool showTopic(const std::string& topic) override;
    bool showTopicBeside(const std::string& topic, const QRect& window) override;
    void closeAll() override;

    // The help window once a topic has been shown (tests look inside it).
    QWidget* window() const;
    QTextBrowser* browser() const;

private:
    void create();

    QPointer<QWidget> m_window;
    std::string m_language;
    QTextBrowser* m_browser = nullptr;
};

}  // namespace dorvel
