// The loopback server of web tests: what it serves, what it refuses.
#include "export/TestServer.h"
#include "storage/FileUtils.h"
#include "tests/support/TempFolder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

namespace dorvel {
namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "web_pages_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* instance = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return instance ? *instance : *QCoreApplication::instance();
}

// A raw request (no client-side clean-up of the path); the whole answer.
QByteArray request(std::uint16_t port, const QByteArray& path)
{
    app();
    QTcpSocket socket;
    QByteArray answer;
    QEventLoop loop;
    QObject::connect(&socket, &QTcpSocket::connected, [&] {
        socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    });
    // The server keeps the connection open: the answer ends with its body.
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] {
        answer += socket.readAll();
        const auto headerEnd = answer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QByteArray header = answer.left(headerEnd).toLower();
        const auto at = header.indexOf("content-length:");
        if (at < 0)
            return;
        const qsizetype length = header.mid(at + 15, header.indexOf('\r', at) - at - 15).trimmed().toLongLong();
        if (answer.size() >= headerEnd + 4 + length)
            loop.quit();
    });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    loop.exec();
    return answer;
}

TEST(TestServer, ServesFilesOfItsFolderOnly)
{
    test::TempFolder temp;
    temp.write("site/Quiz.htm", "<html>start</html>");
    temp.write("site/Quizres/buttons/tick.gif", "GIF89a");
    temp.write("site/My Pics/caf\xC3\xA9.gif", "GIF89a accent");
    temp.write("secret.txt", "not for the browser");
    ASSERT_TRUE(QFile::link(toQString(temp.path("secret.txt")), toQString(temp.path("site/link.txt"))));

    app();
    TestServer server;
    ASSERT_TRUE(server.start(temp.path("site")));
    EXPECT_EQ(server.address("Quiz.htm"), "http://127.0.0.1:" + std::to_string(server.port()) + "/Quiz.htm");

    const QByteArray page = request(server.port(), "/Quiz.htm");
    EXPECT_TRUE(page.startsWith("HTTP/1.1 200")) << page.toStdString();
    EXPECT_TRUE(page.endsWith("<html>start</html>"));
    EXPECT_TRUE(page.contains("text/html"));
    EXPECT_TRUE(request(server.port(), "/Quizres/buttons/tick.gif").endsWith("GIF89a"));
    EXPECT_TRUE(request(server.port(), "/My%20Pics/caf%C3%A9.gif").endsWith("GIF89a accent"));

    const QByteArray refused[] = {
        "/../secret.txt",
        "/%2e%2e/secret.txt",
        "/Quizres/..%2f..%2fsecret.txt",
        "/link.txt",
        "/Quizres/buttons/TICK.GIF",
        "/Quizres",
        "/missing.htm",
    };
    for (const QByteArray& path : refused) {
        const QByteArray answer = request(server.port(), path);
        EXPECT_TRUE(answer.startsWith("HTTP/1.1 404")) << path.toStdString() << ": " << answer.left(40).toStdString();
        EXPECT_FALSE(answer.contains("not for the browser")) << path.toStdString();
    }
}

TEST(TestServer, StreamsLargeFilesWhole)
{
    test::TempFolder temp;
    std::string big(20 * 1024 * 1024, 'x');
    for (std::size_t i = 0; i < big.size(); i += 4096)
        big[i] = static_cast<char>('a' + i / 4096 % 26);
    temp.write("site/clip.avi", big);
    app();
    TestServer server;
    ASSERT_TRUE(server.start(temp.path("site")));
    const QByteArray answer = request(server.port(), "/clip.avi");
    ASSERT_TRUE(answer.startsWith("HTTP/1.1 200"));
    EXPECT_TRUE(answer.endsWith(QByteArray::fromStdString(big.substr(big.size() - 100000))));
    EXPECT_GE(answer.size(), static_cast<qsizetype>(big.size()));
}

TEST(TestServer, RefusesAMissingFolder)
{
    app();
    TestServer server;
    EXPECT_FALSE(server.start("/no/such/folder/anywhere"));
    EXPECT_FALSE(server.listening());
}

}  // namespace
}  // namespace dorvel
