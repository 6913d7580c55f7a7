#include "shell/ui/HelpViewer.h"

#include "shell/Installation.h"
#include "storage/FileUtils.h"

#include <QDesktopServices>
#include <QUrl>

namespace dorvel {

FolderHelpViewer::FolderHelpViewer() : m_folder(InstallationFolder() + "DVHelp/") {}

bool FolderHelpViewer::available() const
{
    return DirectoryExists(m_folder);
}

std::string FolderHelpViewer::topicFile(const std::string& topic) const
{
    std::string page = topic;
    if (page.rfind("::/", 0) == 0)
        page.erase(0, 3);
    // Topics name pages inside the help, never anything outside it.
    if (page.empty() || page.find("..") != std::string::npos || page.find('/') != std::string::npos ||
        page.find('\\') != std::string::npos)
        return {};
    return m_folder + page;
}

bool FolderHelpViewer::showTopic(const std::string& topic)
{
    const std::string file = topicFile(topic);
    if (file.empty() || !FileExists(file))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(file)));
}

}  // namespace dorvel
