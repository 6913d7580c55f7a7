#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

struct MHD_Daemon;
struct MHD_Connection;

namespace dorvel {

// How long a connection may wait for the other side, and how much of a
// request the server holds. The defaults suit a browser on the same computer.
struct ServerLimits {
    unsigned idleSeconds = 30;             // a connection that neither sends nor reads is closed
    std::size_t requestBytes = 32 * 1024;  // request line and headers; more is refused (431)
    unsigned connections = 400;            // at once (each may hold about 100 KB)
    unsigned connectionsPerClient = 100;   // at once from one address
};

// Serves web tests on the loopback interface. Current browsers keep the
// frames of a test opened from the file system apart, and the test engine
// calls across its frames all the time; served over HTTP it runs.
//
// The server answers only what it was asked to publish: a start page and its
// test folder, under a path that begins with a random token of that
// publication (http://127.0.0.1:PORT/TOKEN/Quiz.htm). Nothing else in the
// start page's folder is reachable, no file whose name begins with ".", and
// nothing a link leads to outside the test folder. Requests must name the
// address and port the server listens on as their Host (a web page elsewhere
// cannot reach it by a name that resolves to 127.0.0.1), and only GET and
// HEAD are answered. Files are sent in pieces as the browser reads them.
// libmicrohttpd does the HTTP in a thread of its own; no event loop is needed.
//
// Connections are limited in all and per client address. When a new one
// would pass a limit, the connection that has made the least progress makes
// way: one waiting for a request before one being answered, and among those
// the one whose last request (or opening) lies furthest back. A client that
// holds hundreds of connections open by sending a header byte now and then
// so loses its oldest ones, and a new request is answered at once instead
// of waiting for a free place.
class TestServer {
public:
    TestServer();
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // Starts listening on 127.0.0.1 (port 0: a free port). False when the
    // port cannot be had. Starting a running server changes nothing.
    bool start(std::uint16_t port = 0, const ServerLimits& limits = {});
    bool listening() const { return m_daemon != nullptr; }
    std::uint16_t port() const { return m_port; }

    // Serves `startPage` and its test folder under a new token and returns
    // the start page's address; "" when the server is not listening or the
    // start page is not a file. Earlier publications of the same start page
    // (or of another that shares its test folder) end: a tab opened on an
    // earlier export never gets a later one's files.
    std::string publish(const std::string& startPage);
    // Ends those publications now: call before writing over the test.
    void withdraw(const std::string& startPage);

    // A server for the whole program: the editor serves each export through it.
    static TestServer& shared();

private:
    // A published test: the folder of its start page (canonical), the start
    // page's name and the test folder's name.
    struct Publication {
        std::string folder;
        std::string startName;
        std::string testFolderName;
    };
    // The file `path` (below the token, decoded) names inside a publication,
    // or "" when it names nothing the publication serves.
    static std::string resolve(const Publication& publication, const std::string& path);

    friend struct TestServerHandler;  // libmicrohttpd's callbacks
    // The publication a token names; false when there is none.
    bool find(const std::string& token, Publication& publication) const;
    bool hostAccepted(const char* host) const;

    // A connection as far as choosing one to make way goes. libmicrohttpd
    // calls everything that touches these from its one thread.
    struct Tracked {
        int socket = -1;
        std::string address;         // the client's host, as bytes
        std::uint64_t progress = 0;  // when it opened or last began or finished a request, in ticks
        bool answering = false;      // a request is being answered
        bool closing = false;        // told to make way, not yet closed
    };
    void opened(MHD_Connection* connection);
    void progressed(MHD_Connection* connection, bool answering);
    // Closes the slowest connections the limits ask for before a new one from `address`.
    void makeRoomFor(const std::string& address);

    MHD_Daemon* m_daemon = nullptr;
    ServerLimits m_limits;
    std::map<MHD_Connection*, Tracked> m_connections;
    std::uint64_t m_ticks = 0;
    std::atomic<std::uint16_t> m_port = 0;
    mutable std::mutex m_mutex;
    std::map<std::string, Publication> m_publications;  // by token
};

}  // namespace dorvel
