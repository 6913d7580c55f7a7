// The VTX program as the desktop and the editor start it: a real process,
// real HTTP on the loopback interface, real signals.
#include "building/QuestionPlayer.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/player/PlayerScene.h"
#include "tests/support/LoopbackClient.h"
#include "tests/support/PagesScript.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTcpServer>
#include <QUrl>

#include <csignal>

namespace dorvel {
namespace {

using test::BankBytes;
using test::Bytes;
using test::FilesUnder;
using test::HttpReply;
using test::PlayerScene;
using test::TempFolder;

constexpr int kWaitMs = 30000;

// One request for `rawPath` inside the folder of the start page's address.
HttpReply Get(const std::string& address, const std::string& rawPath)
{
    const test::ServedAddress served = test::SplitAddress(address);
    return test::Request(served.port, served.folder + rawPath.substr(1));
}

// VTX of this build, started with `args`; the installation folder and the
// temporary folder are the scene's.
class RunningPlayer {
public:
    RunningPlayer(const QStringList& args, const std::string& installation, const std::string& tmp)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DORVEL_HOME"), toQString(installation));
        env.insert(QStringLiteral("TMPDIR"), toQString(tmp));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The scene's own preview socket: players of other tests never meet.
        env.insert(QStringLiteral("DORVEL_PREVIEW_NAME"), toQString(tmp + "-preview.socket"));
        m_process.setProcessEnvironment(env);
        m_process.start(QStringLiteral(DORVEL_BUILD_INSTALL_DIR "/VTX"), args);
    }
    ~RunningPlayer()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kWaitMs);
        }
    }

    // The address VTX prints; "" when it ended first.
    std::string address()
    {
        while (!m_process.canReadLine() && m_process.waitForReadyRead(kWaitMs)) {
        }
        return m_process.readLine().trimmed().toStdString();
    }
    // Ends a running player with a signal; its exit code, -1 after a crash.
    int stop(int signalNumber)
    {
        ::kill(static_cast<pid_t>(m_process.processId()), signalNumber);
        return finish();
    }
    int finish()
    {
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(kWaitMs))
            return -2;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    std::string errors() { return m_process.readAllStandardError().toStdString(); }

private:
    QProcess m_process;
};

// The editor's road at the core level: Preview writes the bank and the start
// file, and the player, started without arguments, serves that question
// with Mark and Cheat until it is told to stop; then its folder is gone.
TEST(PlayerProgram, PlaysTheEditorsPreviewUntilStopped)
{
    struct Case {
        int signalNumber;
        bool window;  // its small window, offscreen here
    };
    const Case cases[] = {
        {SIGTERM, false},
        {SIGINT, true},
        {SIGHUP, false},
    };
    for (const auto [signalNumber, window] : cases) {
        SCOPED_TRACE(signalNumber);
        PlayerScene s;
        s.preview(3);
        ASSERT_EQ(s.ui.opened, std::vector<std::string>{s.install.path("VTX")});
        ASSERT_TRUE(FileExists(PlayerStartFilePath()));

        QStringList args{QStringLiteral("--no-open")};
        if (!window)
            args << QStringLiteral("--no-window");
        RunningPlayer player(args, s.install.path(), s.tmp());
        const std::string address = player.address();
        ASSERT_EQ(address.rfind("http://127.0.0.1:", 0), 0u) << address << player.errors();
        ASSERT_EQ(address.substr(address.size() - 9), "/Test.htm");
        // A preview opens at its frameset, which follows the player to a later preview.
        EXPECT_NE(Get(address, "/Testres/frame.htm").body.find("preview-reload.js"), std::string::npos);
        EXPECT_EQ(Get(address, "/Testres/preview-next.txt").body, "");

        const HttpReply start = Get(address, "/Test.htm");
        EXPECT_EQ(start.status, 200);
        EXPECT_NE(start.body.find("Unit 1"), std::string::npos);
        const HttpReply pages = Get(address, "/Testres/pages.js");
        EXPECT_EQ(pages.status, 200);
        const auto texts = test::ReadPagesScript(pages.body);
        EXPECT_NE(texts.at("control.htm").find("['Finish','Mark','Cheat']"), std::string::npos);
        EXPECT_NE(texts.at("q0.htm").find("Question 3"), std::string::npos);
        EXPECT_EQ(Get(address, "/Testres/bg.bmp").body, Bytes(s.install.styleFolder() + "bg.bmp"));
        // Nothing but the test: no way up out of the folder.
        for (const char* path : {"/%2e%2e/%2e%2e/Unit1.vtd", "/../Unit1.vtd", "/Testres/q0.htm"})
            EXPECT_EQ(Get(address, path).status, 404) << path;

        // The test lives in one private folder while the player runs.
        EXPECT_EQ(FilesUnder(s.previewFolder()), std::vector<std::string>{"singleq.vtb"});
        std::vector<std::string> own;
        for (const std::string& f : FilesUnder(s.tmp()))
            own.push_back(f.substr(0, f.find('/')));
        own.erase(std::unique(own.begin(), own.end()), own.end());
        ASSERT_EQ(own.size(), 1u);
        EXPECT_EQ(own[0].rfind("dorvel-player-", 0), 0u) << own[0];

        EXPECT_EQ(player.stop(signalNumber), 0) << player.errors();
        EXPECT_TRUE(FilesUnder(s.tmp()).empty());
        EXPECT_EQ(FilesUnder(s.previewFolder()), std::vector<std::string>{"singleq.vtb"});
    }
}

// A second Preview while a preview player runs: the running player takes
// the new bank and publishes it; the tab open on the first one is sent there
// (preview-next.txt), and the second player ends.
TEST(PlayerProgram, HandsALaterPreviewToThePreviewPlayerRunning)
{
    PlayerScene s;
    s.preview(3);
    RunningPlayer first({QStringLiteral("--no-open"), QStringLiteral("--no-window")}, s.install.path(), s.tmp());
    const std::string address = first.address();
    ASSERT_EQ(address.rfind("http://127.0.0.1:", 0), 0u) << first.errors();
    const auto firstQuestion = [](const std::string& at) {
        const auto texts = test::ReadPagesScript(Get(at, "/Testres/pages.js").body);
        return texts.count("q0.htm") ? texts.at("q0.htm") : std::string();
    };
    EXPECT_NE(firstQuestion(address).find("Question 3"), std::string::npos);

    s.preview(1);
    RunningPlayer second({QStringLiteral("--no-open"), QStringLiteral("--no-window")}, s.install.path(), s.tmp());
    const std::string next = second.address();
    EXPECT_EQ(second.finish(), 0) << second.errors();
    ASSERT_EQ(next.rfind(address.substr(0, address.find('/', 7))), 0u) << next << " is served by the first player";
    EXPECT_NE(next, address);
    EXPECT_EQ(Get(address, "/Testres/preview-next.txt").body, next.substr(0, next.size() - 8) + "Testres/frame.htm");
    EXPECT_NE(firstQuestion(next).find("Question 1"), std::string::npos);
    EXPECT_EQ(firstQuestion(next).find("Question 3"), std::string::npos);

    EXPECT_EQ(first.stop(SIGTERM), 0) << first.errors();
    EXPECT_EQ(FilesUnder(s.tmp()), std::vector<std::string>{});
}

// Started by the desktop with a bank path: a built set, on a port of the
// caller's choosing.
TEST(PlayerProgram, PlaysABankItIsGivenOnTheChosenPort)
{
    PlayerScene s;
    const std::string bank = s.dir.path("My Tests/Unit 1.vtb");
    ForceDirectory(s.dir.path("My Tests"));
    s.build(bank);

    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    RunningPlayer player({QStringLiteral("--no-window"), QStringLiteral("--no-open"), QStringLiteral("--port"),
                          QString::number(port), toQString(bank)},
                         s.install.path(), s.tmp());
    const std::string address = player.address();
    EXPECT_EQ(address.rfind("http://127.0.0.1:" + std::to_string(port) + "/", 0), 0u) << player.errors();
    EXPECT_EQ(address.substr(address.size() - 9), "/Test.htm");
    EXPECT_EQ(Get(address, "/Testres/frame.htm").status, 200);
    const auto texts = test::ReadPagesScript(Get(address, "/Testres/pages.js").body);
    EXPECT_EQ(texts.count("p0.htm"), 1u);
    EXPECT_EQ(texts.count("q2.htm"), 1u);
    EXPECT_EQ(texts.at("control.htm").find("'Mark'"), std::string::npos);
    EXPECT_EQ(player.stop(SIGTERM), 0);
    EXPECT_TRUE(FilesUnder(s.tmp()).empty());
}

// With --files there is no server: the address is the start page's file in
// the private folder, which goes when the player ends.
TEST(PlayerProgram, OpensTheTestFromItsFolderWithoutAServer)
{
    PlayerScene s;
    const std::string bank = s.dir.path("Unit 1.vtb");
    s.build(bank);
    RunningPlayer player({QStringLiteral("--no-window"), QStringLiteral("--no-open"), QStringLiteral("--files"),
                          toQString(bank)},
                         s.install.path(), s.tmp());
    const QUrl address(toQString(player.address()));
    ASSERT_TRUE(address.isLocalFile()) << address.toString().toStdString() << player.errors();
    const std::string startPage = fromQString(address.toLocalFile());
    EXPECT_EQ(ExtractFileName(startPage), "Test.htm");
    EXPECT_EQ(startPage.rfind(s.tmp() + "/dorvel-player-", 0), 0u) << startPage;
    EXPECT_TRUE(FileExists(startPage));
    EXPECT_NE(test::PageText(ExtractFilePath(startPage) + "Testres", "q2.htm"), "");
    EXPECT_EQ(player.stop(SIGTERM), 0);
    EXPECT_FALSE(FileExists(startPage));
}

TEST(PlayerProgram, SaysWhyItCannotPlayAndLeavesNothingBehind)
{
    struct Case {
        const char* name;
        QStringList args;
        std::string startFile;  // VTX.txt content; "" for none
        std::string bank;       // bank bytes at bank.vtb
        int exitCode;
        std::string message;
    };
    const std::string questions = "<testList></testList><questionFileList><questionFile0><vtText>x</vtText>"
                                  "</questionFile0></questionFileList><preTestFileList></preTestFileList>";
    const Case cases[] = {
        {"no bank anywhere", {}, "", "", 1, "No question bank to play"},
        {"start file names no bank", {}, "<f></f>", "", 1, "No question bank to play"},
        {"start file names a missing bank", {}, "<f>{dir}/none.vtb</f>", "", 1, "cannot open {dir}/none.vtb"},
        {"damaged bank", {QStringLiteral("{dir}/bank.vtb")}, "", BankBytes("<fileHeader></a.gif>0,99<//a.gif></fileHeader>" + questions, "GIF"), 1, "outside the file"},
        {"overlapping records", {QStringLiteral("{dir}/bank.vtb")}, "", BankBytes("<fileHeader></a.gif>0,3<//a.gif></b.gif>1,3<//b.gif></fileHeader>" + questions, "GIF"), 1, "overlap"},
        {"not understood", {QStringLiteral("--colour")}, "", "", 2, "unknown option --colour"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        ForceDirectory(dir.path("install"));
        ForceDirectory(dir.path("tmp"));
        auto fill = [&](std::string text) {
            for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}"))
                text.replace(at, 5, dir.path());
            return text;
        };
        if (!c.startFile.empty())
            dir.write("install/VTX.txt", fill(c.startFile));
        if (!c.bank.empty())
            dir.write("bank.vtb", c.bank);
        QStringList args{QStringLiteral("--no-window"), QStringLiteral("--no-open")};
        for (const QString& a : c.args)
            args << toQString(fill(fromQString(a)));

        RunningPlayer player(args, dir.path("install"), dir.path("tmp"));
        EXPECT_EQ(player.address(), "");
        EXPECT_EQ(player.finish(), c.exitCode);
        const std::string errors = player.errors();
        EXPECT_NE(errors.find(fill(c.message)), std::string::npos) << errors;
        EXPECT_TRUE(FilesUnder(dir.path("tmp")).empty());
    }
}

}  // namespace
}  // namespace dorvel
