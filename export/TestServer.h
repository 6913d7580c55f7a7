#pragma once

#include <cstdint>
#include <memory>
#include <string>

class QHttpServer;

namespace dorvel {

// Serves a web test's folder on the loopback interface. Current browsers
// keep the frames of a test opened from the file system apart, and the test
// engine calls across its frames all the time; served over HTTP it runs.
// Only files inside the folder are served (no "..", no links leading out);
// files are streamed, not read whole into memory. Needs a running Qt event loop.
class TestServer {
public:
    TestServer();
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // Starts listening on 127.0.0.1 (port 0: a free port) for `folder`.
    // False when the folder does not exist or the port cannot be had.
    bool start(const std::string& folder, std::uint16_t port = 0);
    // Serves another folder from now on (the same port).
    bool setRoot(const std::string& folder);
    bool listening() const { return m_port != 0; }
    std::uint16_t port() const { return m_port; }
    // "http://127.0.0.1:PORT/" followed by `relativePath`, percent-encoded.
    std::string address(const std::string& relativePath) const;

    // The file a request path names, or "" when it names nothing inside the
    // root (missing, a folder, or outside). `canonicalRoot` is canonical.
    static std::string resolve(const std::string& canonicalRoot, const std::string& requestPath);

    // A server for the whole program: the editor serves each export through it.
    static TestServer& shared();

private:
    std::unique_ptr<QHttpServer> m_server;
    std::string m_root;  // canonical, without a closing separator
    std::uint16_t m_port = 0;
};

}  // namespace dorvel
