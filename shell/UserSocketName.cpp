#include "shell/UserSocketName.h"

#include <QDir>
#include <QStandardPaths>

namespace dorvel {

QString UserSocketName(const QString& base)
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty())
        user = QStringLiteral("user");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(base + user);
}

}  // namespace dorvel
