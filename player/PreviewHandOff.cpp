#include "player/PreviewHandOff.h"

#include "shell/UserSocketName.h"
#include "storage/FileUtils.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <optional>
#include <utility>

namespace dorvel {

namespace {

constexpr int kConnectMs = 2000;
// The running player writes the whole test before it answers.
constexpr int kAnswerMs = 30000;
constexpr qint64 kMaxLine = 64 * 1024;

// Reads one line ending in LF from a connected socket; nothing after `ms`.
std::optional<QByteArray> readLine(QLocalSocket& socket, int ms)
{
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > kMaxLine || !socket.waitForReadyRead(ms))
            return std::nullopt;
    }
    return socket.readLine().chopped(1);
}

}  // namespace

QString PreviewHandOff::defaultName()
{
    const QString custom = qEnvironmentVariable("DORVEL_PREVIEW_NAME");
    if (!custom.isEmpty())
        return custom;
    // No one else can hand a bank to this user's player.
    return UserSocketName(QStringLiteral("dorvel-preview-"));
}

PreviewHandOff::PreviewHandOff(QString name, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
{
}

PreviewHandOff::~PreviewHandOff()
{
    if (m_server)
        m_server->close();
}

std::string PreviewHandOff::handOver(const std::string& bankPath)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMs))
        return {};
    socket.write(QByteArray::fromStdString(bankPath) + '\n');
    if (!socket.waitForBytesWritten(kConnectMs))
        return {};
    const auto answer = readLine(socket, kAnswerMs);
    return answer ? answer->toStdString() : std::string();
}

bool PreviewHandOff::listen(std::function<std::string(const std::string&)> takeBank)
{
    m_takeBank = std::move(takeBank);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Called when no player answered: a socket file left by a crashed player
    // is in the way.
    if (!m_server->listen(m_name)) {
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > kMaxLine)
                        socket->abort();
                    return;
                }
                const std::string bank = socket->readLine().chopped(1).toStdString();
                socket->write(QByteArray::fromStdString(m_takeBank(bank)) + '\n');
                socket->flush();
            });
        }
    });
    return true;
}

}  // namespace dorvel
