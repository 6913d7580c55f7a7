#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dorvel {

// The export module's lists. Each preview, build or web export clears and
// refills them (BuildBankLists); the steps that follow in the same command
// (the bank writer, the web export) read them.
struct ExportLists {
    static constexpr std::size_t kMaxFiles = 2000;

    std::vector<std::string> foundFiles;    // absolute paths that exist, no repeats, first met first
    std::vector<std::string> missingFiles;  // paths that exist nowhere, no repeats
    // Per found file: byte offsets of its data in the bank's data section; -1 before writing.
    std::vector<std::int64_t> startOffsets;
    std::vector<std::int64_t> endOffsets;
    // Numbered records "<questionFileN>" + question + "</questionFileN>\r\n".
    std::string preTestFileList;
    std::string questionFileList;

    void clear()
    {
        foundFiles.clear();
        missingFiles.clear();
        startOffsets.clear();
        endOffsets.clear();
        preTestFileList.clear();
        questionFileList.clear();
    }
};

// The lists the commands of the running program share.
ExportLists& TheExportLists();

}  // namespace dorvel
