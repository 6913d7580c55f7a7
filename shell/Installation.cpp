#include "shell/Installation.h"

#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdlib>

namespace dorvel {

namespace {

std::string& overrideFolder()
{
    static std::string folder;
    return folder;
}

}  // namespace

void SetInstallationFolder(const std::string& folder)
{
    overrideFolder() = folder.empty() ? std::string() : WithSeparator(folder);
}

std::string InstallationFolder()
{
    if (!overrideFolder().empty())
        return overrideFolder();
#ifdef DORVEL_TEST_HOOKS
    // Tests start the real programs on a fixture installation. Only builds
    // with tests read the variable, and only in programs that run from the
    // build's own folders: an installation (even one made from such a build)
    // lacks the build's marker file, so a stray variable cannot make an
    // installed editor take other templates and packs or leave files elsewhere.
    if (const char* home = std::getenv("DORVEL_HOME"); home && *home && FileExists(ExecutableFolder() + kBuildTreeMarker))
        return WithSeparator(home);
#endif
    if (QCoreApplication::instance())
        return WithSeparator(fromQString(QCoreApplication::applicationDirPath()));
    return "./";
}

std::string ButtonsFolder()
{
    return InstallationFolder() + "Buttons/";
}

std::string TemplatesFolder()
{
    return InstallationFolder() + "DorvelTemplates/";
}

std::string LanguageFolder()
{
    return InstallationFolder() + "DVLang/";
}

std::string SoundsFolder()
{
    return InstallationFolder() + "DVSounds/";
}

std::string HandOverFolder()
{
    const std::string installation = InstallationFolder();
    if (QFileInfo(toQString(installation)).isWritable())
        return installation;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const std::string own = WithSeparator(JoinPath(fromQString(data), "Dorvel"));
    ForceDirectory(own);
    return own;
}

}  // namespace dorvel
