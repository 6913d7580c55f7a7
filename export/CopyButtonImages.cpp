#include "export/CopyButtonImages.h"

#include "editor/UserInterface.h"
#include "export/StartPages.h"
#include "export/WebText.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"

#include <QFile>

#include <vector>

namespace dorvel {

std::string ButtonTargetName(std::string_view buttonFile)
{
    return buttonFile == "Help.htm" ? std::string("help.htm") : std::string(buttonFile);
}

bool CopyFileChunked(const std::string& from, const std::string& to)
{
    QFile source(toQString(NativeSeparators(from)));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QFile target(toQString(NativeSeparators(to)));
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    constexpr qint64 kChunk = 1 << 20;
    std::vector<char> buffer(static_cast<std::size_t>(kChunk));
    for (;;) {
        const qint64 got = source.read(buffer.data(), kChunk);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (target.write(buffer.data(), got) != got)
            return false;
    }
    return true;
}

void CopyButtonImages(const std::string& startPage, const std::string& label, const std::string& language,
    const std::vector<std::string>& foundFiles, UserInterface& ui)
{
    const std::string folder = TestFolder(startPage);
    const std::string buttons = JoinPath(folder, kButtonFolder) + "/";
    ForceDirectory(buttons);
    for (const std::string& name : ListFiles(folder))
        DeleteFile(folder + name);
    for (const std::string& name : ListFiles(buttons))
        DeleteFile(buttons + name);

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

    for (const std::string& path : foundFiles) {
        const std::string name = FlatName(path);
        if (name.empty() || name == "." || name == "..")
            continue;
        if (!FileExists(folder + name))
            CopyFileChunked(path, folder + name);
    }
}

}  // namespace dorvel
