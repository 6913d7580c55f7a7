#include "player/PlayerStartFile.h"

#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

namespace dorvel {

std::string ReadPlayerStartFile(const std::string& startFilePath)
{
    std::string text;
    if (!ReadFileBytes(startFilePath, text))
        return {};
    std::string path = GetTag(text, "f");
    // A hand-edited file may put the path on a line of its own.
    const auto first = path.find_first_not_of("\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = path.find_last_not_of("\r\n");
    return path.substr(first, last - first + 1);
}

}  // namespace dorvel
