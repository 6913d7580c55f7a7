#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

struct MHD_Daemon;
struct MHD_Connection;

namespace dorvel::classroom {

class ClassRoom;

// Bounds that keep a class's server small whatever arrives.
struct ClassServerLimits {
    unsigned idleSeconds = 30;             // a connection that neither sends nor reads is closed
    std::size_t requestBytes = 32 * 1024;  // request line and headers (431 beyond)
    std::size_t bodyBytes = 16 * 1024;     // a posted body (413 beyond)
    unsigned connections = 400;            // at once
    unsigned connectionsPerClient = 100;   // at once from one address
    // Joins one address may send: a burst, then so many a second.
    double joinBurst = 40;
    double joinRate = 2;
};

// The server the students' browsers reach (libmicrohttpd, one thread). It
// answers only:
//   GET  /                 the page where a student types name and class code
//   GET  /class.js         the script that links the test's pages to the class
//   GET  /test/...         the exported web test (nothing outside its folder)
//   POST /api/join, /api/answer, /api/progress, /api/finish, /api/state
//                          the students' requests (JSON, each within bodyBytes)
//   GET  /teacher, /api/teacher, /api/results.csv; POST /api/close, /api/delete
//                          the teacher's, only from this machine or with the
//                          teacher token (?token=... or "Authorization: Bearer")
// A request must name the address and port listened on as its Host (421
// otherwise); posts must be JSON (415 otherwise), which keeps pages of other
// sites from posting through the students' browsers.
class ClassServer {
public:
    // `testFolder` holds the exported test, `startPage` its page to open.
    ClassServer(ClassRoom& room, std::string testFolder, std::string startPage);
    ~ClassServer();
    ClassServer(const ClassServer&) = delete;
    ClassServer& operator=(const ClassServer&) = delete;

    // Listens on `address` (an IPv4 address of this machine; "127.0.0.1"
    // serves this machine only) and `port` (0: a free one). False with
    // `error` when it cannot.
    bool start(const std::string& address, std::uint16_t port, std::string& error, const ClassServerLimits& limits = {});
    void stop();
    std::uint16_t port() const { return m_port; }
    // http://ADDRESS:PORT/ : what the students open.
    std::string studentAddress() const;
    // The teacher's view with its token, for another machine.
    std::string teacherAddress() const;

private:
    friend struct ClassServerHandler;
    bool hostAccepted(const char* host) const;
    bool teacherAllowed(MHD_Connection* connection) const;
    bool joinAllowed(const std::string& client);
    int posted(MHD_Connection* connection, std::string_view path, const std::string& body);
    int got(MHD_Connection* connection, std::string_view path, const char* url);

    ClassRoom& m_room;
    std::string m_testFolder;  // canonical
    std::string m_startPage;
    std::string m_address;
    ClassServerLimits m_limits;
    MHD_Daemon* m_daemon = nullptr;
    std::atomic<std::uint16_t> m_port = 0;
    struct Bucket {
        double tokens = 0;
        std::int64_t refilledMs = 0;
    };
    std::mutex m_joinsMutex;
    std::map<std::string, Bucket> m_joins;  // by client address
};

}  // namespace dorvel::classroom
