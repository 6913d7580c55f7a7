#include "languages/HelpTopics.h"

#include "shell/Installation.h"
#include "storage/FileUtils.h"

namespace dorvel {

std::string HelpFolder()
{
    return InstallationFolder() + "DVHelp/";
}

std::string HelpFolder(const std::string& language)
{
    const std::string own = HelpFolder() + language + "/";
    const bool safe = !language.empty() && language.find_first_of("/\\") == std::string::npos && language != "..";
    return safe && FileExists(own + "LinksDV.html") ? own : HelpFolder();
}

bool HelpAvailable()
{
    return !HelpTopicFile(kHelpContentsTopic).empty();
}

std::string HelpTopicFile(std::string_view topic, const std::string& language)
{
    if (topic.substr(0, 3) == "::/")
        topic.remove_prefix(3);
    // A page may be asked for with its anchor; the file is what must exist.
    topic = topic.substr(0, topic.find('#'));
    if (topic.empty() || topic.find('/') != std::string_view::npos || topic.find('\\') != std::string_view::npos || topic.find("..") != std::string_view::npos)
        return {};
    for (const std::string& folder : {HelpFolder(language), HelpFolder()}) {
        const std::string file = folder + std::string(topic);
        if (FileExists(file))
            return file;
    }
    return {};
}

}  // namespace dorvel
