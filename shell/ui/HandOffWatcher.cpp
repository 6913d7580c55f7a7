#include "shell/ui/HandOffWatcher.h"

#include <QDateTime>
#include <QFileInfo>

namespace dorvel {

namespace {

constexpr int kCheckMs = 3000;

}  // namespace

HandOffWatcher::HandOffWatcher(const QString& handOffFile, QObject* parent)
    : QObject(parent)
    , m_file(handOffFile)
{
    m_watcher.addPath(QFileInfo(m_file).absolutePath());
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &HandOffWatcher::check);
    connect(&m_timer, &QTimer::timeout, this, &HandOffWatcher::check);
    m_timer.start(kCheckMs);
}

void HandOffWatcher::check()
{
    const QFileInfo info(m_file);
    if (!info.exists()) {
        m_lastSeen.clear();
        return;
    }
    // A file the editor could not remove is not taken again and again.
    const QString seen = info.lastModified().toString(Qt::ISODateWithMs) + QString::number(info.size());
    if (seen == m_lastSeen)
        return;
    m_lastSeen = seen;
    emit handOffWaiting();
}

}  // namespace dorvel
