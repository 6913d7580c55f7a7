// `dorvel-cli serve` as its own process under clients that misbehave: many
// that never read a large file, slow readers, a header of hundreds of
// megabytes, and more connections than the process has file handles. Its
// memory is read from /proc (peak resident size), so this runs on Linux.
#include "storage/FileUtils.h"
#include "tests/support/LoopbackClient.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

namespace dorvel {
namespace {

using test::LoopbackConnection;
using test::Request;

constexpr qint64 kClipBytes = 100LL * 1024 * 1024;

// A served export with a 100 MB clip (a sparse file: no disk space taken).
class Serving {
public:
    explicit Serving(rlim_t fileHandles = 0)
    {
        temp.write("Quiz.htm", "<html>start</html>");
        temp.write("Quizres/frame.htm", "<html>frames</html>");
        QFile clip(toQString(temp.path("Quizres/clip.avi")));
        if (!clip.open(QIODevice::WriteOnly) || !clip.resize(kClipBytes))
            return;
        clip.close();
        if (fileHandles) {
            m_process.setChildProcessModifier([fileHandles] {
                const rlimit limit{fileHandles, fileHandles};
                ::setrlimit(RLIMIT_NOFILE, &limit);
            });
        }
        m_process.start(QStringLiteral(DORVEL_CLI), {QStringLiteral("serve"), toQString(temp.path("Quiz.htm"))});
        while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
        }
        served = test::SplitAddress(m_process.readLine().trimmed().toStdString());
    }
    ~Serving()
    {
        m_process.kill();
        m_process.waitForFinished(30000);
    }

    // A field of /proc/PID/status in kilobytes (VmRSS, VmHWM).
    long kilobytes(const std::string& field) const
    {
        std::ifstream status("/proc/" + std::to_string(m_process.processId()) + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind(field + ":", 0) == 0)
                return std::atol(line.c_str() + field.size() + 1);
        }
        return -1;
    }
    // Processor time used so far, user and system.
    double cpuSeconds() const
    {
        std::ifstream stat("/proc/" + std::to_string(m_process.processId()) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string skip;
        for (int i = 3; i < 14; ++i)
            fields >> skip;
        long user = 0;
        long system = 0;
        fields >> user >> system;
        return static_cast<double>(user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    }
    std::string request(const std::string& path) const
    {
        return "GET " + served.folder + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(served.port) + "\r\n\r\n";
    }
    bool answersStartPage() const { return Request(served.port, served.folder + "Quiz.htm").body == "<html>start</html>"; }

    test::TempFolder temp;
    test::ServedAddress served;

private:
    QProcess m_process;
};

void Pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Every connection used to hold the whole file in memory.
TEST(ServeProcess, ClientsThatDoNotReadOrReadSlowlyKeepItsMemoryBounded)
{
    Serving s;
    ASSERT_NE(s.served.port, 0);
    const long before = s.kilobytes("VmRSS");

    std::vector<std::unique_ptr<LoopbackConnection>> idle;
    for (int i = 0; i < 200; ++i) {
        idle.push_back(std::make_unique<LoopbackConnection>(s.served.port, 4096));
        ASSERT_TRUE(idle.back()->send(s.request("Quizres/clip.avi")));
    }
    std::vector<std::unique_ptr<LoopbackConnection>> slow;
    std::vector<std::string> received(3);
    for (int i = 0; i < 3; ++i) {
        slow.push_back(std::make_unique<LoopbackConnection>(s.served.port));
        ASSERT_TRUE(slow.back()->send(s.request("Quizres/clip.avi")));
    }
    for (int round = 0; round < 40; ++round) {
        for (std::size_t i = 0; i < slow.size(); ++i)
            received[i] += slow[i]->receive(4096, 100);
        Pause(50);
    }
    for (const std::string& r : received)
        EXPECT_EQ(r.rfind("HTTP/1.1 200", 0), 0u) << r.substr(0, 60);
    EXPECT_TRUE(s.answersStartPage());

    const long peak = s.kilobytes("VmHWM");
    std::printf("[ figures  ] 200 non-reading and 3 slow clients of a 100 MB file: resident %ld kB before, peak %ld kB\n",
                before, peak);
    EXPECT_LT(peak - before, 100 * 1024) << "kB";
}

TEST(ServeProcess, A300MegabyteHeaderIsRefusedWithoutBeingRead)
{
    Serving s;
    ASSERT_NE(s.served.port, 0);
    const long before = s.kilobytes("VmRSS");
    LoopbackConnection client(s.served.port);
    std::string start = s.request("Quiz.htm");
    start.resize(start.size() - 2);
    start += "X-Filler: ";
    std::size_t sent = 0;
    const std::string piece(1024 * 1024, 'a');
    bool open = client.send(start);
    while (open && sent < 300u * 1024 * 1024) {
        open = client.send(piece);
        sent += open ? piece.size() : 0;
    }
    const long peak = s.kilobytes("VmHWM");
    std::printf("[ figures  ] 300 MB header: %zu MB taken before the server closed, resident %ld kB before, peak %ld kB\n",
                sent / (1024 * 1024), before, peak);
    EXPECT_FALSE(open) << "the server read the whole header";
    EXPECT_LT(peak - before, 64 * 1024) << "kB";
    EXPECT_TRUE(s.answersStartPage());
}

// Hundreds of clients that each hold a connection open by sending a header
// byte now and then used to take every place, and a new request waited for
// one of them to give up. Now the slowest make way and it is answered.
TEST(ServeProcess, ARequestIsAnsweredWhileHundredsOfSlowHeaderClientsHoldConnections)
{
    Serving s;
    ASSERT_NE(s.served.port, 0);
    std::vector<std::unique_ptr<LoopbackConnection>> slow;
    const std::string start = s.request("Quiz.htm");
    for (int i = 0; i < 450; ++i) {
        slow.push_back(std::make_unique<LoopbackConnection>(s.served.port));
        ASSERT_TRUE(slow.back()->connected());
        slow.back()->send(start.substr(0, 20));
    }
    // One more byte each, as such clients keep going.
    for (std::size_t i = 0; i < slow.size(); ++i)
        slow[i]->send(start.substr(20, 1));

    LoopbackConnection honest(s.served.port);
    std::string request = s.request("Quiz.htm");
    request.insert(request.size() - 2, "Connection: close\r\n");
    ASSERT_TRUE(honest.send(request));
    const test::HttpReply reply = test::ParseReply(honest.receiveAll(10000));
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "<html>start</html>");
    int closed = 0;
    for (const auto& c : slow)
        closed += c->closedByServer(0);
    std::printf("[ figures  ] 450 slow-header clients: %d of them closed by the server\n", closed);
}

// With its file handles used up by connections the server waits for one to
// end instead of trying to accept again and again, and then serves again.
TEST(ServeProcess, StaysCalmWhenFileHandlesRunOut)
{
    Serving s(48);
    ASSERT_NE(s.served.port, 0);
    std::vector<std::unique_ptr<LoopbackConnection>> hogs;
    for (int i = 0; i < 80; ++i)
        hogs.push_back(std::make_unique<LoopbackConnection>(s.served.port));
    Pause(500);
    const double before = s.cpuSeconds();
    Pause(2000);
    const double used = s.cpuSeconds() - before;
    std::printf("[ figures  ] 80 idle connections, 48 file handles: %.2f s of processor time in 2 s\n", used);
    EXPECT_LT(used, 0.5);

    hogs.clear();
    EXPECT_TRUE(s.answersStartPage());
}

}  // namespace
}  // namespace dorvel
