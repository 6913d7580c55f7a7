// The loopback server of web tests, asked by raw clients: what it serves,
// what it refuses, and how it treats the HTTP it is given.
#include "server/TestServer.h"
#include "storage/FileUtils.h"
#include "tests/support/LoopbackClient.h"
#include "tests/support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace dorvel {
namespace {

using test::HttpReply;
using test::LoopbackConnection;
using test::ParseReply;
using test::Request;
using test::SplitAddress;

// An export beside things that are not the test: the author's secret, a
// hidden file, another test, a link out of the test folder.
struct ServedFolder {
    test::TempFolder temp;
    TestServer server;
    std::string address;
    test::ServedAddress served;

    explicit ServedFolder(const ServerLimits& limits = {})
    {
        temp.write("site/Quiz.htm", "<html>start</html>");
        temp.write("site/Quizres/buttons/tick.gif", "GIF89a");
        temp.write("site/Quizres/caf\xC3\xA9 pics/a+b.gif", "GIF89a accent");
        temp.write("site/Quizres/.hidden", "dotfile");
        temp.write("site/secret.txt", "not for the browser");
        temp.write("site/.ssh/id_rsa", "not for the browser");
        temp.write("site/Other.htm", "not for the browser");
        temp.write("site/Otherres/q1.htm", "not for the browser");
        QFile::link(toQString(temp.path("site/secret.txt")), toQString(temp.path("site/Quizres/link.txt")));
        QFile::link(toQString(temp.path("site/Otherres")), toQString(temp.path("site/Quizres/other")));
        if (server.start(0, limits))
            address = server.publish(temp.path("site/Quiz.htm"));
        served = SplitAddress(address);
    }
    HttpReply get(const std::string& path, const std::string& method = "GET") const
    {
        return Request(served.port, served.folder + path, method);
    }
};

TEST(TestServer, ServesThePublishedTestOnlyUnderItsToken)
{
    ServedFolder f;
    ASSERT_TRUE(f.server.listening());
    ASSERT_NE(f.served.port, 0) << f.address;
    // A random token of 32 hexadecimal digits stands before the start page.
    EXPECT_EQ(f.served.folder.size(), 34u) << f.address;
    EXPECT_EQ(f.address, "http://127.0.0.1:" + std::to_string(f.server.port()) + f.served.folder + "Quiz.htm");

    const HttpReply page = f.get("Quiz.htm");
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.body, "<html>start</html>");
    EXPECT_NE(page.head.find("text/html"), std::string::npos);
    EXPECT_EQ(f.get("Quizres/buttons/tick.gif").body, "GIF89a");
    EXPECT_EQ(f.get("Quizres/caf%C3%A9%20pics/a+b.gif").body, "GIF89a accent");

    const std::string token = f.served.folder;
    const std::string refused[] = {
        token + "secret.txt",
        token + "Other.htm",
        token + "Otherres/q1.htm",
        token + ".ssh/id_rsa",
        token + "Quizres/.hidden",
        token + "Quizres/link.txt",
        token + "Quizres/other/q1.htm",
        token + "../secret.txt",
        token + "%2e%2e/secret.txt",
        token + "Quizres/..%2f..%2fsecret.txt",
        token + "Quizres/buttons/TICK.GIF",
        token + "Quizres",
        token + "Quizres/",
        token,
        "/Quiz.htm",
        "/secret.txt",
        "/0123456789abcdef0123456789abcdef/Quiz.htm",
        "/",
    };
    for (const std::string& path : refused) {
        const HttpReply answer = Request(f.served.port, path);
        EXPECT_EQ(answer.status, 404) << path;
        EXPECT_EQ(answer.body.find("not for the browser"), std::string::npos) << path;
        EXPECT_EQ(answer.body.find("dotfile"), std::string::npos) << path;
    }
}

// A web page elsewhere whose name resolves to 127.0.0.1 (DNS rebinding) sends
// its own name as the Host; so does a page served on another port.
TEST(TestServer, AnswersOnlyItsOwnHostAndPort)
{
    ServedFolder f;
    const std::string port = std::to_string(f.served.port);
    const std::string target = f.served.folder + "Quiz.htm";
    for (const std::string& host : std::vector<std::string>{"127.0.0.1:" + port, "localhost:" + port, "LOCALHOST:" + port})
        EXPECT_EQ(Request(f.served.port, target, "GET", host).status, 200) << host;
    for (const std::string& host : std::vector<std::string>{"attacker.example:" + port, "attacker.example", "127.0.0.1", "127.0.0.1:1",
                                                            "127.0.0.1:" + port + ".attacker.example", "[::1]:" + port, "127.0.0.2:" + port}) {
        const HttpReply answer = Request(f.served.port, target, "GET", host);
        EXPECT_EQ(answer.status, 421) << host;
        EXPECT_EQ(answer.body.find("start"), std::string::npos) << host;
    }
    // Without any Host (HTTP/1.0).
    LoopbackConnection old(f.served.port);
    old.send("GET " + target + " HTTP/1.0\r\n\r\n");
    const std::string raw = old.receiveAll(10000);
    EXPECT_EQ(raw.find("start"), std::string::npos) << raw;
    EXPECT_NE(raw.find(" 421 "), std::string::npos) << raw;
}

// The editor publishes every export anew: an earlier tab of the same start
// page gets nothing more (the new export writes over its files), one of
// another test keeps its own.
TEST(TestServer, AnEarlierPublicationEndsWithTheNextOfItsPage)
{
    ServedFolder f;
    f.temp.write("other/Quiz.htm", "<html>elsewhere</html>");
    const std::string first = f.address;
    const std::string elsewhere = f.server.publish(f.temp.path("other/Quiz.htm"));
    const std::string second = f.server.publish(f.temp.path("site/Quiz.htm"));
    ASSERT_NE(first, second);
    const auto body = [](const std::string& address, const std::string& path) {
        const test::ServedAddress served = SplitAddress(address);
        return Request(served.port, served.folder + path);
    };
    EXPECT_EQ(body(first, "Quiz.htm").status, 404);
    EXPECT_EQ(body(first, "Quizres/buttons/tick.gif").status, 404);
    EXPECT_EQ(body(second, "Quizres/buttons/tick.gif").body, "GIF89a");
    EXPECT_EQ(body(elsewhere, "Quiz.htm").body, "<html>elsewhere</html>");

    // Before an export writes over the test, its tab is cut off.
    f.server.withdraw(f.temp.path("site/../site/Quiz.htm"));
    EXPECT_EQ(body(second, "Quiz.htm").status, 404);
    EXPECT_EQ(body(elsewhere, "Quiz.htm").status, 200);

    // "Q uiz.htm" writes its pages into the same Quizres folder.
    const std::string third = f.server.publish(f.temp.path("site/Quiz.htm"));
    f.temp.write("site/Q uiz.htm", "<html>blank in the name</html>");
    const std::string fourth = f.server.publish(f.temp.path("site/Q uiz.htm"));
    EXPECT_EQ(body(third, "Quizres/buttons/tick.gif").status, 404);
    EXPECT_EQ(body(fourth, "Quizres/buttons/tick.gif").status, 200);
    EXPECT_EQ(body(fourth, "Quiz.htm").status, 404);

    EXPECT_EQ(f.server.publish(f.temp.path("site/missing.htm")), "");
    EXPECT_EQ(TestServer().publish(f.temp.path("site/Quiz.htm")), "") << "not listening";
}

// HEAD gives the headers of GET and no body: a pipelined request behind it
// is answered as itself. Other methods are refused.
TEST(TestServer, HeadSendsHeadersOnlyAndPipelinedRequestsStayInStep)
{
    ServedFolder f;
    const std::string host = "Host: 127.0.0.1:" + std::to_string(f.served.port) + "\r\n";
    LoopbackConnection connection(f.served.port);
    connection.send("HEAD " + f.served.folder + "Quiz.htm HTTP/1.1\r\n" + host + "\r\n"
                    + "GET " + f.served.folder + "Quizres/buttons/tick.gif HTTP/1.1\r\n" + host + "\r\n"
                    + "HEAD " + f.served.folder + "Quizres/buttons/tick.gif HTTP/1.1\r\n" + host + "Connection: close\r\n\r\n");
    const std::string raw = connection.receiveAll(10000);

    const HttpReply head = ParseReply(raw);
    EXPECT_EQ(head.status, 200) << raw;
    EXPECT_NE(head.head.find("Content-Length: 18"), std::string::npos) << head.head;
    // The next reply follows the first one's headers at once.
    const HttpReply get = ParseReply(head.body);
    EXPECT_EQ(get.status, 200) << raw;
    EXPECT_EQ(get.body.substr(0, 6), "GIF89a");
    const HttpReply headAgain = ParseReply(get.body.substr(6));
    EXPECT_EQ(headAgain.status, 200) << raw;
    EXPECT_EQ(headAgain.body, "");

    for (const char* method : {"POST", "PUT", "DELETE", "OPTIONS"}) {
        const HttpReply answer = f.get("Quiz.htm", method);
        EXPECT_EQ(answer.status, 405) << method;
        EXPECT_EQ(answer.body.find("start"), std::string::npos) << method;
    }
}

TEST(TestServer, RefusesLongHeadersAndClosesIdleConnections)
{
    ServerLimits limits;
    limits.idleSeconds = 1;
    ServedFolder f(limits);
    // A megabyte of header: refused once the limit is passed, not read on.
    LoopbackConnection big(f.served.port);
    const std::string start = "GET " + f.served.folder + "Quiz.htm HTTP/1.1\r\nHost: 127.0.0.1:"
        + std::to_string(f.served.port) + "\r\nX-Filler: ";
    big.send(start);
    std::size_t sent = start.size();
    const std::string piece(16 * 1024, 'a');
    while (sent < 1024 * 1024 && big.send(piece))
        sent += piece.size();
    const std::string raw = big.receiveAll(10000);
    EXPECT_TRUE(raw.empty() || raw.find(" 431 ") != std::string::npos) << raw.substr(0, 100);
    EXPECT_EQ(raw.find("start"), std::string::npos);

    // A connection that says nothing, and one that stops half-way.
    LoopbackConnection silent(f.served.port);
    LoopbackConnection halfway(f.served.port);
    halfway.send("GET " + f.served.folder + "Quiz.htm HTTP/1.1\r\nHo");
    EXPECT_TRUE(silent.closedByServer(15000));
    EXPECT_TRUE(halfway.closedByServer(15000));
    EXPECT_EQ(f.get("Quiz.htm").status, 200);
}

// Clients that hold connections open without finishing a request: when a
// limit is reached the connection with the least progress makes way (its
// last request, or its opening, furthest back), never the new request.
TEST(TestServer, TheSlowestConnectionsMakeWayForNewOnes)
{
    ServerLimits limits;
    limits.connections = 9;
    limits.connectionsPerClient = 4;
    ServedFolder f(limits);
    ASSERT_NE(f.served.port, 0);
    const std::string request = "GET " + f.served.folder + "Quiz.htm HTTP/1.1\r\nHost: 127.0.0.1:"
        + std::to_string(f.served.port) + "\r\n\r\n";
    std::vector<std::unique_ptr<LoopbackConnection>> held;
    // Opened one after another, each with the start of a header, and
    // waited for until the server has taken it.
    const auto open = [&](const char* from) {
        held.push_back(std::make_unique<LoopbackConnection>(f.served.port, 0, from));
        EXPECT_TRUE(held.back()->send("GET " + f.served.folder + "Quiz.htm HTTP/1.1\r\nHo")) << from;
        held.back()->closedByServer(150);
        return held.size() - 1;
    };
    const auto closed = [&](std::size_t k) { return held[k]->closedByServer(3000); };
    const auto stillOpen = [&](std::size_t k) { return !held[k]->closedByServer(200); };

    // Client .2 fills its share; its first connection then gets an answer,
    // which counts as progress, so its second is the slowest.
    for (int k = 0; k < 4; ++k)
        open("127.0.0.2");
    ASSERT_TRUE(held[0]->send("st: 127.0.0.1:" + std::to_string(f.served.port) + "\r\n\r\n"));
    EXPECT_EQ(ParseReply(held[0]->receive(4096, 5000)).status, 200);
    const std::size_t fifth = open("127.0.0.2");
    EXPECT_TRUE(closed(1));
    for (const std::size_t k : {std::size_t(0), std::size_t(2), std::size_t(3), fifth})
        EXPECT_TRUE(stillOpen(k)) << k;

    // Other clients keep theirs while .2 passes its share ...
    const std::size_t first3 = open("127.0.0.3");
    for (int k = 0; k < 2; ++k)
        open("127.0.0.3");
    const std::size_t sixth = open("127.0.0.2");
    EXPECT_TRUE(closed(2));
    EXPECT_TRUE(stillOpen(first3));
    // ... until all places are taken: then the slowest of all makes way
    // (.2's fourth), and the new request is answered.
    open("127.0.0.4");
    open("127.0.0.4");
    ASSERT_TRUE(stillOpen(sixth));
    LoopbackConnection honest(f.served.port, 0, "127.0.0.5");
    ASSERT_TRUE(honest.send(request));
    EXPECT_EQ(ParseReply(honest.receive(4096, 5000)).status, 200);
    EXPECT_TRUE(closed(3));
    for (const std::size_t k : {std::size_t(0), fifth, first3, sixth})
        EXPECT_TRUE(stillOpen(k)) << k;
}

TEST(TestServer, StreamsLargeFilesWhole)
{
    ServedFolder f;
    std::string big(20 * 1024 * 1024, 'x');
    for (std::size_t i = 0; i < big.size(); i += 4096)
        big[i] = static_cast<char>('a' + i / 4096 % 26);
    f.temp.write("site/Quizres/clip.avi", big);
    const HttpReply answer = f.get("Quizres/clip.avi");
    ASSERT_EQ(answer.status, 200);
    EXPECT_TRUE(answer.body == big);
}

TEST(TestServer, RefusesAPortInUse)
{
    TestServer first;
    ASSERT_TRUE(first.start());
    TestServer second;
    EXPECT_FALSE(second.start(first.port()));
    EXPECT_FALSE(second.listening());
}

}  // namespace
}  // namespace dorvel
