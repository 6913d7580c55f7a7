#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace dorvel {

// One editor per user. The first start listens on a local socket; a second
// start connects, hands over its arguments and ends. Only when the running
// instance does not take them does the second start fall back to the
// hand-off file.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role {
        Primary,    // this process is the editor
        Secondary,  // another instance runs and was told
    };

    // The socket in the user's runtime folder, named after the user;
    // DORVEL_INSTANCE_NAME overrides it (tests run their own instances).
    static QString defaultServerName();

    // How long a second start waits for the running instance to take its
    // arguments before it falls back to the hand-off file: 5 seconds, or the
    // milliseconds DORVEL_INSTANCE_ANSWER_MS gives (tests of an instance that
    // never answers need not wait that long).
    static int defaultAnswerTimeout();

    explicit SingleInstance(const QString& serverName = defaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running instance, or hands `arguments` (the command line
    // without the program) to the one that runs.
    Role start(const QStringList& arguments);
    QString serverName() const { return m_name; }
    void setAnswerTimeout(int ms) { m_answerMs = ms; }

    // A second start's arguments with a relative path made absolute against
    // the folder it was started in, since the running instance has its own.
    static QStringList absoluteArguments(const QStringList& arguments);

signals:
    // A second start woke this instance; its arguments may be empty.
    void secondStart(const QStringList& arguments);

private:
    bool handOver(const QStringList& arguments);
    void acceptConnections();

    QString m_name;
    int m_answerMs = defaultAnswerTimeout();
    QLocalServer* m_server = nullptr;
};

}  // namespace dorvel
