#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace dorvel {

// Tells the running editor when a second start has left its arguments in the
// hand-off file (because the editor did not answer on its socket in time),
// so that the set is opened at once rather than at some later start. The
// folder is watched; a slow timer covers file systems that report nothing.
class HandOffWatcher : public QObject {
    Q_OBJECT
public:
    explicit HandOffWatcher(const QString& handOffFile, QObject* parent = nullptr);

signals:
    // The hand-off file exists; the editor takes it (TakeHandOff).
    void handOffWaiting();

private:
    void check();

    QString m_file;
    QString m_lastSeen;  // time and size of the file last reported
    QFileSystemWatcher m_watcher;
    QTimer m_timer;
};

}  // namespace dorvel
