#include "export/TestServer.h"

#include "export/WebText.h"
#include "storage/FileUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMimeDatabase>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace dorvel {

namespace {

QString canonicalFolder(const std::string& folder)
{
    const QFileInfo info(toQString(folder));
    return info.isDir() ? info.canonicalFilePath() : QString();
}

// A page of the test asks for a dozen small files, one after another on the
// same connection. With Nagle's algorithm each answer waits for the
// browser's delayed acknowledgement (about 40 ms on loopback), which made
// moving to the next question feel slow; small answers go out at once here.
class LowDelayTcpServer : public QTcpServer {
protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(handle)) {
            delete socket;
            return;
        }
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        addPendingConnection(socket);
    }
};

}  // namespace

TestServer::TestServer() = default;
TestServer::~TestServer() = default;

std::string TestServer::resolve(const std::string& canonicalRoot, const std::string& requestPath)
{
    if (canonicalRoot.empty())
        return {};
    const QString root = toQString(canonicalRoot);
    const QString joined = QDir::cleanPath(root + QLatin1Char('/') + toQString(requestPath));
    if (!joined.startsWith(root + QLatin1Char('/')))
        return {};
    const QFileInfo info(joined);
    const QString real = info.canonicalFilePath();  // follows links; empty when missing
    if (real.isEmpty() || !real.startsWith(root + QLatin1Char('/')) || !QFileInfo(real).isFile())
        return {};
    return fromQString(real);
}

bool TestServer::setRoot(const std::string& folder)
{
    const QString root = canonicalFolder(folder);
    if (root.isEmpty())
        return false;
    m_root = fromQString(root);
    return true;
}

bool TestServer::start(const std::string& folder, std::uint16_t port)
{
    if (!setRoot(folder))
        return false;
    if (m_server)
        return listening();
    m_server = std::make_unique<QHttpServer>();
    auto serve = [this](const QUrl& url, const QHttpServerRequest&, QHttpServerResponder&& responder) {
        const std::string file = resolve(m_root, fromQString(url.path(QUrl::FullyDecoded)));
        if (file.empty()) {
            responder.write(QHttpServerResponder::StatusCode::NotFound);
            return;
        }
        auto* device = new QFile(toQString(file));
        if (!device->open(QIODevice::ReadOnly)) {
            delete device;
            responder.write(QHttpServerResponder::StatusCode::Forbidden);
            return;
        }
        const QByteArray type = QMimeDatabase().mimeTypeForFile(toQString(file), QMimeDatabase::MatchExtension).name().toLatin1();
        // The responder owns the device and sends it in pieces.
        // Pages and scripts are always fetched anew, so a new export shows at
        // once; pictures and sounds may be kept for a minute, which spares
        // every question page fetching the same buttons and backgrounds again.
        const QString suffix = QFileInfo(toQString(file)).suffix().toLower();
        const bool page = suffix == QLatin1String("htm") || suffix == QLatin1String("html") || suffix == QLatin1String("js");
        responder.write(device, {{"Content-Type", type}, {"Cache-Control", page ? "no-store" : "max-age=60"}});
    };
    m_server->route(QStringLiteral("/<arg>"), QHttpServerRequest::Method::Get | QHttpServerRequest::Method::Head, serve);
    auto* tcp = new LowDelayTcpServer;
    if (!tcp->listen(QHostAddress::LocalHost, port)) {
        delete tcp;
        m_server.reset();
        return false;
    }
    m_port = tcp->serverPort();
    m_server->bind(tcp);  // the HTTP server takes the listening socket over
    return true;
}

std::string TestServer::address(const std::string& relativePath) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + "/" + UrlPath(relativePath);
}

TestServer& TestServer::shared()
{
    // Never destroyed: the server must not outlive the application object
    // in a static destructor.
    static TestServer* server = new TestServer;
    return *server;
}

}  // namespace dorvel
