#include "server/TestServer.h"

#include "export/StartPages.h"
#include "export/WebText.h"
#include "platform/RandomToken.h"
#include "storage/FileUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRandomGenerator>

#include <microhttpd.h>
#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace dorvel {

namespace {

// Read from the file as the connection can take it: libmicrohttpd asks for
// the next piece only when the socket has room, so a browser that reads
// slowly (or not at all) holds one piece, not the file.
constexpr std::size_t kPieceBytes = 64 * 1024;

bool IsPageOrScript(const QString& file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("htm") || suffix == QLatin1String("html") || suffix == QLatin1String("js");
}

MHD_Result SendText(MHD_Connection* connection, unsigned status, const char* text)
{
    MHD_Response* response
        = MHD_create_response_from_buffer(std::strlen(text), const_cast<char*>(text), MHD_RESPMEM_PERSISTENT);
    if (!response)
        return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/plain; charset=utf-8");
    if (status == MHD_HTTP_METHOD_NOT_ALLOWED)
        MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "GET, HEAD");
    if (status == MHD_HTTP_SERVICE_UNAVAILABLE)
        MHD_add_response_header(response, MHD_HTTP_HEADER_RETRY_AFTER, "1");
    const MHD_Result queued = MHD_queue_response(connection, status, response);
    MHD_destroy_response(response);
    return queued;
}

ssize_t ReadPiece(void* file, std::uint64_t position, char* buffer, std::size_t max)
{
    auto* device = static_cast<QFile*>(file);
    if (device->pos() != static_cast<qint64>(position) && !device->seek(static_cast<qint64>(position)))
        return MHD_CONTENT_READER_END_WITH_ERROR;
    const qint64 read = device->read(buffer, static_cast<qint64>(max));
    // The length was promised in the header: a file cut short meanwhile ends
    // the connection rather than the answer looking complete.
    return read > 0 ? static_cast<ssize_t>(read) : MHD_CONTENT_READER_END_WITH_ERROR;
}

void CloseFile(void* file)
{
    delete static_cast<QFile*>(file);
}

// A client's address without its port, as bytes: what the limit per client counts.
std::string ClientHost(const sockaddr* address, std::size_t length)
{
    if (!address)
        return {};
    if (address->sa_family == AF_INET && length >= sizeof(sockaddr_in)) {
        const in_addr& host = reinterpret_cast<const sockaddr_in*>(address)->sin_addr;
        return std::string(reinterpret_cast<const char*>(&host), sizeof host);
    }
    return std::string(reinterpret_cast<const char*>(address), length);
}

}  // namespace

struct TestServerHandler {
    static MHD_Result accept(void* cls, const sockaddr* address, socklen_t length)
    {
        static_cast<TestServer*>(cls)->makeRoomFor(ClientHost(address, length));
        return MHD_YES;
    }

    static void notify(void* cls, MHD_Connection* connection, void** /*socketContext*/,
                       MHD_ConnectionNotificationCode code)
    {
        auto* server = static_cast<TestServer*>(cls);
        if (code == MHD_CONNECTION_NOTIFY_STARTED)
            server->opened(connection);
        else
            server->m_connections.erase(connection);
    }

    static void completed(void* cls, MHD_Connection* connection, void** /*state*/, MHD_RequestTerminationCode /*code*/)
    {
        static_cast<TestServer*>(cls)->progressed(connection, false);
    }

    static MHD_Result answer(void* cls, MHD_Connection* connection, const char* url, const char* method,
                             const char* /*version*/, const char* /*uploadData*/, std::size_t* uploadSize, void** state)
    {
        // The first call comes with the headers. A request that carries a
        // body, or asks for what is never served, is answered at once: the
        // library then reads no body and closes the connection. Any other
        // is answered at the next call, which keeps the connection for the
        // browser's next request.
        static int seen = 0;
        auto* server = static_cast<TestServer*>(cls);
        if (!*state) {
            *state = &seen;
            server->progressed(connection, true);
            const bool body = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH)
                || MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_TRANSFER_ENCODING);
            const bool fetch
                = std::strcmp(method, MHD_HTTP_METHOD_GET) == 0 || std::strcmp(method, MHD_HTTP_METHOD_HEAD) == 0;
            if (fetch && !body)
                return MHD_YES;
        } else if (*uploadSize != 0) {
            *uploadSize = 0;
            return MHD_YES;
        }
        if (!server->hostAccepted(MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_HOST)))
            return SendText(connection, MHD_HTTP_MISDIRECTED_REQUEST, "This server answers only 127.0.0.1.\n");
        if (std::strcmp(method, MHD_HTTP_METHOD_GET) != 0 && std::strcmp(method, MHD_HTTP_METHOD_HEAD) != 0)
            return SendText(connection, MHD_HTTP_METHOD_NOT_ALLOWED, "Only GET and HEAD.\n");

        // "/TOKEN/rest", decoded by libmicrohttpd.
        const std::string_view path(url);
        const auto slash = path.find('/', 1);
        TestServer::Publication publication;
        if (path.size() < 2 || path.front() != '/' || slash == std::string_view::npos
            || !server->find(std::string(path.substr(1, slash - 1)), publication))
            return SendText(connection, MHD_HTTP_NOT_FOUND, "Not found.\n");
        const std::string file = TestServer::resolve(publication, std::string(path.substr(slash + 1)));
        if (file.empty())
            return SendText(connection, MHD_HTTP_NOT_FOUND, "Not found.\n");

        auto* device = new QFile(toQString(file));
        if (!device->open(QIODevice::ReadOnly)) {
            // Most often out of file handles: the browser may ask again.
            delete device;
            return SendText(connection, MHD_HTTP_SERVICE_UNAVAILABLE, "Busy; try again.\n");
        }
        MHD_Response* response = MHD_create_response_from_callback(
            static_cast<std::uint64_t>(device->size()), kPieceBytes, &ReadPiece, device, &CloseFile);
        if (!response) {
            delete device;
            return MHD_NO;
        }
        const QByteArray type
            = QMimeDatabase().mimeTypeForFile(device->fileName(), QMimeDatabase::MatchExtension).name().toLatin1();
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type.constData());
        // Pages and scripts are always fetched anew, so a new export shows at
        // once; pictures and sounds may be kept for a minute, which spares
        // every question page fetching the same buttons and backgrounds again.
        MHD_add_response_header(
            response, MHD_HTTP_HEADER_CACHE_CONTROL, IsPageOrScript(device->fileName()) ? "no-store" : "max-age=60");
        MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
        const MHD_Result queued = MHD_queue_response(connection, MHD_HTTP_OK, response);
        MHD_destroy_response(response);
        return queued;
    }
};

TestServer::TestServer() = default;

TestServer::~TestServer()
{
    if (m_daemon)
        MHD_stop_daemon(m_daemon);
}

bool TestServer::start(std::uint16_t port, const ServerLimits& limits)
{
    if (m_daemon)
        return true;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    m_limits = limits;
    m_limits.connections = std::max(1u, limits.connections);
    m_limits.connectionsPerClient = std::max(1u, limits.connectionsPerClient);
    // One thread polls every connection (epoll where there is one). When
    // file handles run out the library stops accepting until a connection
    // ends, instead of trying again and again. Its own limit lies a little
    // above ours, so that it goes on accepting while connections told to
    // make way are closing.
    const unsigned closingRoom = 32;
    m_daemon = MHD_start_daemon(MHD_USE_AUTO_INTERNAL_THREAD, port, &TestServerHandler::accept, this,
                                &TestServerHandler::answer, this,
                                MHD_OPTION_SOCK_ADDR, &address,
                                MHD_OPTION_CONNECTION_TIMEOUT, static_cast<unsigned>(limits.idleSeconds),
                                MHD_OPTION_CONNECTION_MEMORY_LIMIT, static_cast<std::size_t>(limits.requestBytes),
                                MHD_OPTION_CONNECTION_LIMIT, m_limits.connections + closingRoom,
                                MHD_OPTION_NOTIFY_CONNECTION, &TestServerHandler::notify, this,
                                MHD_OPTION_NOTIFY_COMPLETED, &TestServerHandler::completed, this,
                                MHD_OPTION_END);
    if (!m_daemon)
        return false;
    const MHD_DaemonInfo* info = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT);
    m_port = info ? info->port : port;
    return true;
}

std::string TestServer::publish(const std::string& startPage)
{
    const QFileInfo page(toQString(startPage));
    if (!m_daemon || !page.isFile())
        return {};
    const QString folder = QFileInfo(page.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        return {};
    const Publication publication{fromQString(folder), fromQString(page.fileName()), TestFolderBase(fromQString(page.fileName()))};
    withdraw(startPage);
    const std::string token = RandomToken();
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_publications[token] = publication;
    }
    return "http://127.0.0.1:" + std::to_string(m_port) + "/" + token + "/" + UrlPath(publication.startName);
}

void TestServer::withdraw(const std::string& startPage)
{
    const QFileInfo page(toQString(startPage));
    const std::string folder = fromQString(QFileInfo(page.absolutePath()).canonicalFilePath());
    const std::string name = fromQString(page.fileName());
    // Start pages whose names differ only in blanks share one test folder.
    const std::string testFolderName = TestFolderBase(name);
    const std::lock_guard<std::mutex> lock(m_mutex);
    std::erase_if(m_publications, [&](const auto& entry) {
        return entry.second.folder == folder
            && (entry.second.startName == name || entry.second.testFolderName == testFolderName);
    });
}

bool TestServer::find(const std::string& token, Publication& publication) const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_publications.find(token);
    if (found == m_publications.end())
        return false;
    publication = found->second;
    return true;
}

bool TestServer::hostAccepted(const char* host) const
{
    // The address we hand out, or the loopback name; with the port we listen on.
    if (!host)
        return false;
    const QString given = QString::fromLatin1(host).toLower();
    const QString port = QLatin1Char(':') + QString::number(m_port);
    return given == QLatin1String("127.0.0.1") + port || given == QLatin1String("localhost") + port;
}

std::string TestServer::resolve(const Publication& publication, const std::string& path)
{
    const QString rest = toQString(path);
    // No hidden files, no way up: a name part may not begin with a dot.
    for (const QString& part : rest.split(QLatin1Char('/'))) {
        if (part.startsWith(QLatin1Char('.')))
            return {};
    }
    const QString folder = toQString(publication.folder);
    const QString startName = toQString(publication.startName);
    const QString testFolder = folder + QLatin1Char('/') + toQString(publication.testFolderName);
    const bool startPage = rest == startName;
    if (!startPage && !rest.startsWith(toQString(publication.testFolderName) + QLatin1Char('/')))
        return {};
    const QString asked = QDir::cleanPath(folder + QLatin1Char('/') + rest);
    const QString real = QFileInfo(asked).canonicalFilePath();  // follows links; empty when missing
    if (real.isEmpty() || !QFileInfo(real).isFile())
        return {};
    // A link may not lead out of the test folder (nor stand for the start page).
    if (startPage ? real != asked : !real.startsWith(testFolder + QLatin1Char('/')))
        return {};
    return fromQString(real);
}

void TestServer::opened(MHD_Connection* connection)
{
    Tracked tracked;
    if (const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD))
        tracked.socket = info->connect_fd;
    if (const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS))
        tracked.address = ClientHost(info->client_addr, sizeof(sockaddr_in));
    tracked.progress = ++m_ticks;
    m_connections[connection] = tracked;
}

void TestServer::progressed(MHD_Connection* connection, bool answering)
{
    const auto found = m_connections.find(connection);
    if (found == m_connections.end())
        return;
    found->second.progress = ++m_ticks;
    found->second.answering = answering;
}

void TestServer::makeRoomFor(const std::string& address)
{
    std::size_t open = 0;
    std::size_t fromClient = 0;
    for (const auto& [connection, tracked] : m_connections) {
        if (tracked.closing)
            continue;
        ++open;
        fromClient += tracked.address == address;
    }
    const bool clientFull = fromClient >= m_limits.connectionsPerClient;
    if (!clientFull && open < m_limits.connections)
        return;
    Tracked* slowest = nullptr;
    for (auto& [connection, tracked] : m_connections) {
        if (tracked.closing || tracked.socket < 0 || (clientFull && tracked.address != address))
            continue;
        if (!slowest || std::pair(tracked.answering, tracked.progress) < std::pair(slowest->answering, slowest->progress))
            slowest = &tracked;
    }
    if (!slowest)
        return;
        // The library sees the socket end and closes the connection itself (the
        // socket stays its own to close, so its number cannot be taken meanwhile).
#ifdef _WIN32
    ::shutdown(slowest->socket, SD_BOTH);
#else
    ::shutdown(slowest->socket, SHUT_RDWR);
#endif
    slowest->closing = true;
}

TestServer& TestServer::shared()
{
    // Never destroyed: the program ends with the server still answering.
    static TestServer* server = new TestServer;
    return *server;
}

}  // namespace dorvel
