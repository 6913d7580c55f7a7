#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A plain HTTP client on raw sockets, for tests of the loopback server: it
// sends exactly the bytes a test gives (no clean-up of paths, any Host, any
// method, pipelined requests) and reads what comes back. POSIX sockets: the
// tests that use it run on Linux.
namespace dorvel::test {

class LoopbackConnection {
public:
    // Connects to 127.0.0.1:port; a receive buffer size > 0 is set first
    // (a client that does not read then holds little of the server's data).
    // `from`, when given, is the loopback address the connection comes from
    // ("127.0.0.2": another client to the server).
    explicit LoopbackConnection(std::uint16_t port, int receiveBuffer = 0, const char* from = nullptr);
    ~LoopbackConnection();
    LoopbackConnection(const LoopbackConnection&) = delete;
    LoopbackConnection& operator=(const LoopbackConnection&) = delete;

    bool connected() const { return m_fd >= 0; }
    // All of `bytes`; false when the server closed the connection first.
    bool send(std::string_view bytes);
    // Up to `max` bytes, waiting at most `timeoutMs`; "" at the end or on timeout.
    std::string receive(std::size_t max, int timeoutMs);
    // Everything until the server closes the connection (or `timeoutMs` passes).
    std::string receiveAll(int timeoutMs);
    // True when the server has closed the connection within `timeoutMs`.
    bool closedByServer(int timeoutMs);
    void close();

private:
    int m_fd = -1;
};

struct HttpReply {
    int status = 0;
    std::string head;  // status line and headers
    std::string body;
};
// The first reply in `raw`.
HttpReply ParseReply(const std::string& raw);

// Where a served address points: its port, and the path of its folder
// ("/TOKEN/" for "http://127.0.0.1:PORT/TOKEN/Quiz.htm").
struct ServedAddress {
    std::uint16_t port = 0;
    std::string folder;
};
ServedAddress SplitAddress(const std::string& address);

// One request with "Connection: close"; `host` defaults to 127.0.0.1:port.
HttpReply Request(std::uint16_t port, const std::string& target, const std::string& method = "GET",
                  const std::string& host = {});

}  // namespace dorvel::test
