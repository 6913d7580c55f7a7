#include "tests/support/LoopbackClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace dorvel::test {

LoopbackConnection::LoopbackConnection(std::uint16_t port, int receiveBuffer, const char* from)
{
    m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_fd < 0)
        return;
    if (receiveBuffer > 0)
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    if (from) {
        sockaddr_in source{};
        source.sin_family = AF_INET;
        if (::inet_pton(AF_INET, from, &source.sin_addr) != 1
            || ::bind(m_fd, reinterpret_cast<const sockaddr*>(&source), sizeof source) != 0) {
            close();
            return;
        }
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        close();
}

LoopbackConnection::~LoopbackConnection()
{
    close();
}

void LoopbackConnection::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool LoopbackConnection::send(std::string_view bytes)
{
    while (m_fd >= 0 && !bytes.empty()) {
        const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return m_fd >= 0;
}

std::string LoopbackConnection::receive(std::size_t max, int timeoutMs)
{
    pollfd wait{m_fd, POLLIN, 0};
    if (m_fd < 0 || ::poll(&wait, 1, timeoutMs) <= 0)
        return {};
    std::string bytes(max, '\0');
    const ssize_t got = ::recv(m_fd, bytes.data(), max, 0);
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
}

std::string LoopbackConnection::receiveAll(int timeoutMs)
{
    std::string all;
    for (;;) {
        const std::string piece = receive(64 * 1024, timeoutMs);
        if (piece.empty())
            return all;
        all += piece;
    }
}

bool LoopbackConnection::closedByServer(int timeoutMs)
{
    pollfd wait{m_fd, POLLIN, 0};
    if (m_fd < 0 || ::poll(&wait, 1, timeoutMs) <= 0)
        return false;
    char byte = 0;
    return ::recv(m_fd, &byte, 1, MSG_PEEK) <= 0;
}

HttpReply ParseReply(const std::string& raw)
{
    HttpReply reply;
    const auto headEnd = raw.find("\r\n\r\n");
    if (headEnd == std::string::npos || raw.compare(0, 9, "HTTP/1.1 ") != 0)
        return reply;
    reply.head = raw.substr(0, headEnd);
    reply.status = std::atoi(raw.c_str() + 9);
    reply.body = raw.substr(headEnd + 4);
    return reply;
}

ServedAddress SplitAddress(const std::string& address)
{
    const std::string prefix = "http://127.0.0.1:";
    ServedAddress served;
    if (address.compare(0, prefix.size(), prefix) != 0)
        return served;
    const auto slash = address.find('/', prefix.size());
    served.port = static_cast<std::uint16_t>(std::atoi(address.c_str() + prefix.size()));
    if (slash != std::string::npos)
        served.folder = address.substr(slash, address.rfind('/') + 1 - slash);
    return served;
}

HttpReply Request(std::uint16_t port, const std::string& target, const std::string& method, const std::string& host)
{
    LoopbackConnection connection(port);
    const std::string hostLine = host.empty() ? "127.0.0.1:" + std::to_string(port) : host;
    connection.send(method + " " + target + " HTTP/1.1\r\nHost: " + hostLine + "\r\nConnection: close\r\n\r\n");
    return ParseReply(connection.receiveAll(20000));
}

}  // namespace dorvel::test
