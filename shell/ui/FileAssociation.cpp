#include "shell/ui/FileAssociation.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace dorvel {

std::optional<std::string> QueryDefaultWithXdgMime(const std::string& mimeType)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, {QStringLiteral("query"), QStringLiteral("default"), QString::fromStdString(mimeType)});
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        process.kill();
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed().toStdString();
}

bool SetFilesAssociated(const DefaultHandlerQuery& query)
{
    if (!query)
        return false;
    const std::optional<std::string> entry = query(kSetMimeType);
    return entry && *entry == kDesktopEntry;
}

}  // namespace dorvel
