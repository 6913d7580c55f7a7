#include "classroom/ClassServer.h"

#include "classroom/ClassRoom.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeDatabase>
#include <QString>

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

namespace dorvel::classroom {

namespace {

constexpr std::size_t kPieceBytes = 64 * 1024;

std::string Resource(const char* name)
{
    QFile file(QStringLiteral(":/classroom/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

std::string EscapeHtml(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

MHD_Result Send(MHD_Connection* connection, unsigned status, const std::string& body, const char* type,
                const char* disposition = nullptr)
{
    MHD_Response* response
        = MHD_create_response_from_buffer(body.size(), const_cast<char*>(body.data()), MHD_RESPMEM_MUST_COPY);
    if (!response)
        return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type);
    MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
    if (disposition)
        MHD_add_response_header(response, "Content-Disposition", disposition);
    if (status == MHD_HTTP_METHOD_NOT_ALLOWED)
        MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "GET, HEAD, POST");
    const MHD_Result queued = MHD_queue_response(connection, status, response);
    MHD_destroy_response(response);
    return queued;
}

MHD_Result SendReply(MHD_Connection* connection, const Reply& reply)
{
    return Send(connection, static_cast<unsigned>(reply.status), reply.json, "application/json; charset=utf-8");
}

MHD_Result SendError(MHD_Connection* connection, unsigned status, const std::string& message)
{
    return SendReply(connection, ErrorReply(static_cast<int>(status), message));
}

ssize_t ReadPiece(void* file, std::uint64_t position, char* buffer, std::size_t max)
{
    auto* device = static_cast<QFile*>(file);
    if (device->pos() != static_cast<qint64>(position) && !device->seek(static_cast<qint64>(position)))
        return MHD_CONTENT_READER_END_WITH_ERROR;
    const qint64 read = device->read(buffer, static_cast<qint64>(max));
    return read > 0 ? static_cast<ssize_t>(read) : MHD_CONTENT_READER_END_WITH_ERROR;
}

void CloseFile(void* file)
{
    delete static_cast<QFile*>(file);
}

std::string ClientAddress(MHD_Connection* connection)
{
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    if (!info || !info->client_addr || info->client_addr->sa_family != AF_INET)
        return {};
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(info->client_addr);
    return inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) ? text : "";
}

// A request under way: its body as it arrives.
struct Request {
    std::string body;
    bool tooBig = false;
};

}  // namespace

struct ClassServerHandler {
    static void completed(void*, MHD_Connection*, void** state, MHD_RequestTerminationCode)
    {
        delete static_cast<Request*>(*state);
        *state = nullptr;
    }

    static MHD_Result answer(void* cls, MHD_Connection* connection, const char* url, const char* method,
                             const char* /*version*/, const char* upload, std::size_t* uploadSize, void** state)
    {
        auto* server = static_cast<ClassServer*>(cls);
        const bool post = std::strcmp(method, MHD_HTTP_METHOD_POST) == 0;
        if (!*state) {
            // The headers: refuse at once what will never be answered; the
            // library then reads no body and closes the connection.
            if (!server->hostAccepted(MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_HOST)))
                return SendError(connection, MHD_HTTP_MISDIRECTED_REQUEST,
                                 "This server answers only under the address the teacher gave.");
            const bool get = std::strcmp(method, MHD_HTTP_METHOD_GET) == 0 || std::strcmp(method, MHD_HTTP_METHOD_HEAD) == 0;
            if (!get && !post)
                return SendError(connection, MHD_HTTP_METHOD_NOT_ALLOWED, "Only GET, HEAD and POST.");
            if (post) {
                const char* length = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
                if (length && std::strtoull(length, nullptr, 10) > server->m_limits.bodyBytes)
                    return SendError(connection, MHD_HTTP_CONTENT_TOO_LARGE, "The request is too large.");
                const char* type = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_TYPE);
                if (!type || std::strncmp(type, "application/json", 16) != 0)
                    return SendError(connection, MHD_HTTP_UNSUPPORTED_MEDIA_TYPE, "Posts must be JSON.");
            }
            *state = new Request;
            return MHD_YES;
        }
        auto* request = static_cast<Request*>(*state);
        if (*uploadSize != 0) {
            if (request->body.size() + *uploadSize > server->m_limits.bodyBytes)
                request->tooBig = true;
            else
                request->body.append(upload, *uploadSize);
            *uploadSize = 0;
            return MHD_YES;
        }
        if (request->tooBig)
            return SendError(connection, MHD_HTTP_CONTENT_TOO_LARGE, "The request is too large.");
        const std::string_view path(url);
        return static_cast<MHD_Result>(post ? server->posted(connection, path, request->body) : server->got(connection, path, url));
    }
};

ClassServer::ClassServer(ClassRoom& room, std::string testFolder, std::string startPage)
    : m_room(room)
    , m_startPage(std::move(startPage))
{
    m_testFolder = QFileInfo(QString::fromStdString(testFolder)).canonicalFilePath().toStdString();
}

ClassServer::~ClassServer()
{
    stop();
}

bool ClassServer::start(const std::string& address, std::uint16_t port, std::string& error, const ClassServerLimits& limits)
{
    if (m_daemon)
        return true;
    sockaddr_in bind{};
    bind.sin_family = AF_INET;
    bind.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &bind.sin_addr) != 1 || bind.sin_addr.s_addr == htonl(INADDR_ANY)) {
        error = "not an address of this machine: " + address;
        return false;
    }
    m_address = address;
    m_limits = limits;
    m_daemon = MHD_start_daemon(MHD_USE_AUTO_INTERNAL_THREAD, port, nullptr, nullptr, &ClassServerHandler::answer, this,
                                MHD_OPTION_SOCK_ADDR, &bind,
                                MHD_OPTION_CONNECTION_TIMEOUT, limits.idleSeconds,
                                MHD_OPTION_CONNECTION_MEMORY_LIMIT, limits.requestBytes,
                                MHD_OPTION_CONNECTION_LIMIT, std::max(1u, limits.connections),
                                MHD_OPTION_PER_IP_CONNECTION_LIMIT, std::max(1u, limits.connectionsPerClient),
                                MHD_OPTION_NOTIFY_COMPLETED, &ClassServerHandler::completed, this,
                                MHD_OPTION_END);
    if (!m_daemon) {
        error = "cannot listen on " + address + ":" + std::to_string(port) + " (in use, or not this machine's address)";
        return false;
    }
    const MHD_DaemonInfo* info = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT);
    m_port = info ? info->port : port;
    return true;
}

void ClassServer::stop()
{
    if (m_daemon)
        MHD_stop_daemon(m_daemon);
    m_daemon = nullptr;
}

std::string ClassServer::studentAddress() const
{
    return "http://" + m_address + ":" + std::to_string(m_port) + "/";
}

std::string ClassServer::teacherAddress() const
{
    return studentAddress() + "teacher?token=" + m_room.record().teacherToken;
}

bool ClassServer::hostAccepted(const char* host) const
{
    if (!host)
        return false;
    const std::string given = QString::fromLatin1(host).toLower().toStdString();
    const std::string port = ":" + std::to_string(m_port);
    return given == m_address + port || (m_address == "127.0.0.1" && given == "localhost" + port);
}

bool ClassServer::teacherAllowed(MHD_Connection* connection) const
{
    // This machine: the loopback address, or the address served on.
    const std::string client = ClientAddress(connection);
    if (client == "127.0.0.1" || client == m_address)
        return true;
    const std::string token = m_room.record().teacherToken;
    if (const char* given = MHD_lookup_connection_value(connection, MHD_GET_ARGUMENT_KIND, "token"))
        return given == token;
    if (const char* header = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_AUTHORIZATION))
        return std::string(header) == "Bearer " + token;
    return false;
}

bool ClassServer::joinAllowed(const std::string& client)
{
    const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
    const std::lock_guard<std::mutex> lock(m_joinsMutex);
    if (m_joins.size() > 4096) {
        // Addresses quiet for a minute start afresh; the table stays small.
        std::erase_if(m_joins, [&](const auto& entry) { return now - entry.second.refilledMs > 60000; });
    }
    auto [entry, added] = m_joins.try_emplace(client, Bucket{m_limits.joinBurst, now});
    Bucket& bucket = entry->second;
    bucket.tokens = std::min(m_limits.joinBurst, bucket.tokens + (now - bucket.refilledMs) / 1000.0 * m_limits.joinRate);
    bucket.refilledMs = now;
    if (bucket.tokens < 1)
        return false;
    bucket.tokens -= 1;
    return true;
}

int ClassServer::posted(MHD_Connection* connection, std::string_view path, const std::string& body)
{
    QJsonParseError parsed{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(body), &parsed);
    if (parsed.error != QJsonParseError::NoError || !document.isObject())
        return SendError(connection, MHD_HTTP_BAD_REQUEST, "The request is not a JSON object.");
    const QJsonObject object = document.object();
    if (path == "/api/join") {
        if (!joinAllowed(ClientAddress(connection)))
            return SendError(connection, MHD_HTTP_TOO_MANY_REQUESTS, "Too many joins from this device; wait a moment.");
        return SendReply(connection, m_room.join(object));
    }
    if (path == "/api/answer")
        return SendReply(connection, m_room.answer(object));
    if (path == "/api/progress")
        return SendReply(connection, m_room.progress(object));
    if (path == "/api/finish")
        return SendReply(connection, m_room.finish(object));
    if (path == "/api/state")
        return SendReply(connection, m_room.state(object));
    if (path == "/api/close" || path == "/api/delete") {
        if (!teacherAllowed(connection))
            return SendError(connection, MHD_HTTP_FORBIDDEN, "Only the teacher may do this.");
        std::string error;
        const bool done = path == "/api/close" ? m_room.close(error) : m_room.remove(error);
        return done ? SendReply(connection, {200, "{\"done\":true}"})
                    : SendError(connection, MHD_HTTP_SERVICE_UNAVAILABLE, "Not done: " + error);
    }
    return SendError(connection, MHD_HTTP_NOT_FOUND, "Not found.");
}

int ClassServer::got(MHD_Connection* connection, std::string_view path, const char* /*url*/)
{
    if (path == "/") {
        std::string page = Resource("join.htm");
        const ClassRecord record = m_room.record();
        const auto fill = [&](const std::string& name, const std::string& value) {
            for (std::size_t at = page.find(name); at != std::string::npos; at = page.find(name, at + value.size()))
                page.replace(at, name.size(), value);
        };
        fill("{{title}}", EscapeHtml(record.title));
        fill("{{start}}", "/test/" + EscapeHtml(QString::fromStdString(m_startPage).toUtf8().toPercentEncoding("/").toStdString()));
        return Send(connection, MHD_HTTP_OK, page, "text/html; charset=utf-8");
    }
    if (path == "/class.js")
        return Send(connection, MHD_HTTP_OK, Resource("class.js"), "text/javascript; charset=utf-8");
    if (path == "/teacher" || path == "/api/teacher" || path == "/api/results.csv") {
        if (!teacherAllowed(connection))
            return SendError(connection, MHD_HTTP_FORBIDDEN, "Only the teacher may see this.");
        if (path == "/teacher")
            return Send(connection, MHD_HTTP_OK, Resource("teacher.htm"), "text/html; charset=utf-8");
        if (path == "/api/teacher")
            return Send(connection, MHD_HTTP_OK, m_room.teacherJson(), "application/json; charset=utf-8");
        return Send(connection, MHD_HTTP_OK, m_room.csv(), "text/csv; charset=utf-8",
                    "attachment; filename=\"results.csv\"");
    }
    if (path.rfind("/test/", 0) != 0)
        return SendError(connection, MHD_HTTP_NOT_FOUND, "Not found.");
    const QString rest = QString::fromUtf8(path.substr(6).data(), static_cast<qsizetype>(path.size() - 6));
    // No hidden files, no way up: a name part may not begin with a dot.
    for (const QString& part : rest.split(QLatin1Char('/'))) {
        if (part.startsWith(QLatin1Char('.')))
            return SendError(connection, MHD_HTTP_NOT_FOUND, "Not found.");
    }
    const QString root = QString::fromStdString(m_testFolder);
    const QString real = QFileInfo(QDir::cleanPath(root + QLatin1Char('/') + rest)).canonicalFilePath();
    if (root.isEmpty() || real.isEmpty() || !real.startsWith(root + QLatin1Char('/')) || !QFileInfo(real).isFile())
        return SendError(connection, MHD_HTTP_NOT_FOUND, "Not found.");
    if (rest == QString::fromStdString(m_startPage)) {
        // The start page names the class's script before any of its own, so
        // that the link to the class is there before the test begins.
        QFile file(real);
        if (!file.open(QIODevice::ReadOnly))
            return SendError(connection, MHD_HTTP_SERVICE_UNAVAILABLE, "Busy; try again.");
        std::string page = file.readAll().toStdString();
        // At the end of the head, after the page's own character set.
        const std::size_t end = page.find("</head>");
        const std::string script = "<script src=\"/class.js\"></script>";
        page.insert(end == std::string::npos ? 0 : end, script);
        return Send(connection, MHD_HTTP_OK, page, "text/html");
    }
    auto* device = new QFile(real);
    if (!device->open(QIODevice::ReadOnly)) {
        delete device;
        return SendError(connection, MHD_HTTP_SERVICE_UNAVAILABLE, "Busy; try again.");
    }
    MHD_Response* response = MHD_create_response_from_callback(static_cast<std::uint64_t>(device->size()), kPieceBytes,
                                                               &ReadPiece, device, &CloseFile);
    if (!response) {
        delete device;
        return MHD_NO;
    }
    const QByteArray type = QMimeDatabase().mimeTypeForFile(real, QMimeDatabase::MatchExtension).name().toLatin1();
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type.constData());
    MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
    MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
    const MHD_Result queued = MHD_queue_response(connection, MHD_HTTP_OK, response);
    MHD_destroy_response(response);
    return queued;
}

}  // namespace dorvel::classroom
