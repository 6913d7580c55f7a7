#include "export/CopyButtonImages.h"

#include "export/ExportWrites.h"
#include "export/StartPages.h"
#include "export/WebText.h"
#include "platform/SystemFiles.h"
#include "platform/UserInterface.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"

namespace dorvel {

std::string ButtonTargetName(std::string_view buttonFile)
{
    return buttonFile == "Help.htm" ? std::string("help.htm") : std::string(buttonFile);
}

namespace {

// Makes a folder of the test ready. What an earlier export wrote there was
// removed before (RemoveEarlierExport); the author's own files stay. A link
// where the folder should be is refused.
bool prepareFolder(const std::string& folder, ExportWrites& writes)
{
    const std::string entry = folder.substr(0, folder.size() - 1);  // without the closing separator
    if (IsSymbolicLink(entry))
        return writes.fail(entry + " is a symbolic link, not a folder: the web test is not written there");
    if (!ForceDirectory(folder) || !DirectoryExists(folder))
        return writes.fail("cannot create the folder " + entry);
    return true;
}

}  // namespace

bool CopyButtonImages(const std::string& startPage, const std::string& label, const std::string& language,
                      const std::vector<std::string>& foundFiles, UserInterface& ui, ExportWrites& writes)
{
    // Into an existing folder only: a mistyped folder is reported, not made.
    if (const std::string parent = ExtractFilePath(NativeSeparators(startPage)); !parent.empty() && !DirectoryExists(parent))
        return writes.fail("no such folder: " + parent);
    const std::string folder = NativeSeparators(TestFolder(startPage));
    const std::string buttons = JoinPath(folder, kButtonFolder) + "/";
    if (!prepareFolder(folder, writes) || !prepareFolder(buttons, writes))
        return false;

    const std::string installed = ButtonsFolder();
    const std::string translated = WithSeparator(JoinPath(installed, language));
    for (const std::string_view name : kButtonFiles) {
        const std::string own = translated + std::string(name);
        const std::string plain = installed + std::string(name);
        const std::string target = buttons + ButtonTargetName(name);
        RemoveEntry(target);  // the export's own name: its picture replaces any file of that name
        if (!language.empty() && FileExists(own))
            writes.copy(own, target);
        else if (FileExists(plain))
            writes.copy(plain, target);
    }

    ui.progressLabel(label);
    ui.progressPosition(40);

    for (const std::string& path : foundFiles) {
        const std::string name = FlatName(path);
        if (name.empty())
            continue;
        if (!FileExists(folder + name))
            writes.copy(path, folder + name);
    }
    return !writes.failed();
}

}  // namespace dorvel
