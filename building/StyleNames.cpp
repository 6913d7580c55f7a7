#include "building/StyleNames.h"

#include "shell/Installation.h"
#include "storage/FileUtils.h"

namespace dorvel {

std::vector<std::string> StyleNames()
{
    constexpr std::size_t kMaxStyles = 50;
    std::vector<std::string> names;
    for (const std::string& name : ListFolders(TemplatesFolder())) {
        if (name.size() > 3 && names.size() < kMaxStyles)
            names.push_back(name);
    }
    return names;
}

}  // namespace dorvel
