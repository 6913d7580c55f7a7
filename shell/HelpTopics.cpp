#include "shell/HelpTopics.h"

#include "shell/Installation.h"
#include "storage/FileUtils.h"

namespace dorvel {

std::string HelpFolder()
{
    return InstallationFolder() + "DVHelp/";
}

bool HelpAvailable()
{
    return !HelpTopicFile(kHelpContentsTopic).empty();
}

std::string HelpTopicFile(std::string_view topic)
{
    if (topic.substr(0, 3) == "::/")
        topic.remove_prefix(3);
    // A page may be asked for with its anchor; the file is what must exist.
    topic = topic.substr(0, topic.find('#'));
    if (topic.empty() || topic.find('/') != std::string_view::npos || topic.find('\\') != std::string_view::npos ||
        topic.find("..") != std::string_view::npos)
        return {};
    const std::string file = HelpFolder() + std::string(topic);
    return FileExists(file) ? file : std::string();
}

}  // namespace dorvel
