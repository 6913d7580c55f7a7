#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace dorvel {

// Turns SIGINT, SIGTERM and SIGHUP into the signal stopRequested(), emitted
// from the event loop: the handler only writes a byte into a socket pair,
// which is all a signal handler may safely do. One object per process.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

    // False when the socket pair or the handlers could not be set up.
    bool installed() const { return m_installed; }

signals:
    void stopRequested(int signalNumber);

private:
    void readSignal();

    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_installed = false;
};

}  // namespace dorvel
