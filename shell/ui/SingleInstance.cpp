#include "shell/ui/SingleInstance.h"

#include "shell/UserSocketName.h"
#include "shell/ui/HandOffFile.h"
#include "storage/FileUtils.h"

#include <QDataStream>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace dorvel {

namespace {

constexpr int kConnectMs = 2000;
constexpr int kAnswerMs = 5000;
constexpr qint64 kMaxMessage = 64 * 1024;
constexpr char kAck = 'k';

}  // namespace

QString SingleInstance::defaultServerName()
{
    const QString custom = qEnvironmentVariable("DORVEL_INSTANCE_NAME");
    if (!custom.isEmpty())
        return custom;
    // The runtime folder belongs to the user alone, so no one else can
    // connect and have the editor open files.
    return UserSocketName(QStringLiteral("vtDorvelv1Running-"));
}

int SingleInstance::defaultAnswerTimeout()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("DORVEL_INSTANCE_ANSWER_MS", &ok);
    return ok && ms > 0 ? ms : kAnswerMs;
}

SingleInstance::SingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent)
    , m_name(serverName)
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QStringList SingleInstance::absoluteArguments(const QStringList& arguments)
{
    QStringList result = arguments;
    if (result.size() >= 2 && !result[1].isEmpty() && QFileInfo(result[1]).isRelative())
        result[1] = QFileInfo(result[1]).absoluteFilePath();
    return result;
}

bool SingleInstance::handOver(const QStringList& arguments)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << arguments;
    socket.write(message);
    if (!socket.waitForBytesWritten(m_answerMs))
        return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(m_answerMs))
            return false;
    char answer = 0;
    socket.getChar(&answer);
    socket.disconnectFromServer();
    return answer == kAck;
}

SingleInstance::Role SingleInstance::start(const QStringList& arguments)
{
    const QStringList handed = absoluteArguments(arguments);
    for (int attempt = 0; attempt < 2; ++attempt) {
        QLocalSocket probe;
        probe.connectToServer(m_name);
        const bool running = probe.waitForConnected(kConnectMs);
        const QLocalSocket::LocalSocketError error = probe.error();
        probe.abort();
        if (running) {
            if (!handOver(handed) && handed.size() >= 2)
                AppendHandOff(HandOffFilePath(), fromQString(handed[0]), fromQString(handed[1]));
            return Role::Secondary;
        }
        // A socket file left by a crashed instance refuses connections.
        if (error == QLocalSocket::ConnectionRefusedError)
            QLocalServer::removeServer(m_name);
        m_server = new QLocalServer(this);
        if (m_server->listen(m_name)) {
            connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
            return Role::Primary;
        }
        // Another first start won the race: hand over to it.
        delete m_server;
        m_server = nullptr;
    }
    // Neither reachable nor able to listen: run without the single-instance
    // guard rather than refuse to start.
    return Role::Primary;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxMessage) {
                socket->abort();
                return;
            }
            QDataStream in(socket);
            in.startTransaction();
            QStringList arguments;
            in >> arguments;
            if (!in.commitTransaction())
                return;  // wait for the rest
            socket->putChar(kAck);
            socket->flush();
            emit secondStart(arguments);
        });
    }
}

}  // namespace dorvel
