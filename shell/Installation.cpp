#include "shell/Installation.h"

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
    // Tests start the real programs on a fixture installation. Builds without
    // tests never read the variable, so a stray one cannot make an installed
    // editor take other templates and packs or leave its files elsewhere.
    if (const char* home = std::getenv("DORVEL_HOME"); home && *home)
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
