#include "platform/DesktopOpener.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>

namespace dorvel {

bool OpenWithDesktop(const std::string& target, std::function<void()> failed, int watchMs)
{
    // No parent: ending the window must not end the opener, nor the browser
    // it may still be waiting for. Its output goes nowhere, so a browser it
    // starts never writes into a pipe that has gone.
    auto* opener = new QProcess;
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({QString::fromStdString(target)});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer running;
    running.start();
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, failed = std::move(failed), running, watchMs](int code, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || code != 0) && running.elapsed() < watchMs && failed)
                             failed();
                         opener->deleteLater();
                     });
    opener->start();
    if (!opener->waitForStarted(5000)) {
        delete opener;
        return false;
    }
    return true;
}

}  // namespace dorvel
