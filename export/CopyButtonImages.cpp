#include "export/CopyButtonImages.h"

#include "editor/UserInterface.h"
#include "export/FileCopy.h"
#include "export/StartPages.h"
#include "export/WebText.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"

#include <fcntl.h>

#include <set>

namespace dorvel {

std::string ButtonTargetName(std::string_view buttonFile)
{
    return buttonFile == "Help.htm" ? std::string("help.htm") : std::string(buttonFile);
}

bool CopyFileChunked(const std::string& from, const std::string& to)
{
    // The kernel copies between the files where it can; otherwise bounded
    // reads and writes. Never the whole file in memory.
    const Fd source = OpenForReading(NativeSeparators(from));
    if (!source.valid())
        return false;
    Fd target(::open(NativeSeparators(to).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!target.valid())
        return false;
    const bool copied = CopyBytes(source.get(), target.get(), -1) >= 0;
    return target.reset() && copied;
}

void CopyButtonImages(const std::string& startPage, const std::string& label, const std::string& language,
    const std::vector<std::string>& foundFiles, UserInterface& ui)
{
    const std::string folder = TestFolder(startPage);
    const std::string buttons = JoinPath(folder, kButtonFolder) + "/";
    ForceDirectory(buttons);

    const std::string installed = ButtonsFolder();
    const std::string translated = WithSeparator(JoinPath(installed, language));
    for (const std::string_view name : kButtonFiles) {
        const std::string own = translated + std::string(name);
        const std::string plain = installed + std::string(name);
        const std::string target = buttons + ButtonTargetName(name);
        if (!language.empty() && FileExists(own))
            CopyFileChunked(own, target);
        else if (FileExists(plain))
            CopyFileChunked(plain, target);
    }

    ui.progressLabel(label);
    ui.progressPosition(40);

    // The first of two files with the same name wins; a file of that name
    // from an earlier export is replaced.
    std::set<std::string> copied;
    for (const std::string& path : foundFiles) {
        const std::string name = FlatName(path);
        if (name.empty() || name == "." || name == "..")
            continue;
        if (copied.insert(name).second)
            CopyFileChunked(path, folder + name);
    }
}

}  // namespace dorvel
