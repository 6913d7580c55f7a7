#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"
#include "shell/Installation.h"
#include "shell/ui/HandOffFile.h"
#include "shell/ui/SingleInstance.h"
#include "storage/FileUtils.h"
#include "tests/window/WindowFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <thread>
#include <memory>
#include <vector>

namespace dorvel::test {
namespace {

// How long a second start waits for an instance that never answers: the
// editor's 5 seconds would only make these tests slow.
constexpr int kSilentAnswerMs = 300;

class SingleInstanceTest : public WindowTest {
protected:
    QString serverName() { return toQString(dir.path("instance.sock")); }

    // The editor program finds this test's instance, installation and settings.
    QProcessEnvironment secondStartEnvironment()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DORVEL_INSTANCE_NAME"), serverName());
        env.insert(QStringLiteral("DORVEL_HOME"), toQString(FixtureInstallation()));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), toQString(FixtureConfigFolder()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    // Runs the editor program as a second start and serves this instance's
    // socket meanwhile. Returns the program's exit code.
    int runSecondStart(const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(secondStartEnvironment());
        process.setWorkingDirectory(toQString(dir.path()));
        process.start(QStringLiteral(DORVEL_EDITOR_PROGRAM), arguments);
        EXPECT_TRUE(process.waitForStarted());
        for (int i = 0; i < 3000 && process.state() != QProcess::NotRunning; ++i) {
            QCoreApplication::processEvents();
            process.waitForFinished(10);
        }
        EXPECT_EQ(process.state(), QProcess::NotRunning);
        return process.exitCode();
    }

    std::string savedSet(const char* name)
    {
        ui.saveChoices.push_back(dir.path(name));
        window->workspace().SaveSet(window->workspace().currentSet());
        return dir.path(name);
    }
};

TEST_F(SingleInstanceTest, ASecondStartOpensItsSetInTheRunningEditor)
{
    startWindow();
    const std::string set = savedSet("handed.vtd");
    window->workspace().NewSet();
    SingleInstance instance(serverName());
    ASSERT_EQ(instance.start({}), SingleInstance::Role::Primary);
    QObject::connect(&instance, &SingleInstance::secondStart, window.get(), &MainWindow::secondStart);

    // Without arguments the running editor only comes to the front.
    EXPECT_EQ(runSecondStart({}), 0);
    EXPECT_EQ(workspace().openSetCount(), 2);
    EXPECT_EQ(workspace().currentSet(), 1);

    // A relative path is taken from the folder the second start ran in.
    EXPECT_EQ(runSecondStart({QStringLiteral("openShellCall"), QStringLiteral("handed.vtd")}), 0);
    EXPECT_EQ(workspace().currentSet(), 0);
    EXPECT_EQ(workspace().current()->filePath, set);
    EXPECT_TRUE(workspace().questionList().isExpanded(0));
    EXPECT_FALSE(FileExists(FixtureInstallation() + "filespec.pab"));
}

TEST_F(SingleInstanceTest, ASecondStartWaitsWhileAQuestionIsOpen)
{
    startWindow();
    const std::string set = savedSet("later.vtd");
    window->workspace().CloseCurrentSet();
    // A question the author has not answered yet.
    QDialog question(window.get());
    question.setModal(true);
    question.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    window->secondStart({QStringLiteral("openShellCall"), toQString(set)});
    QCoreApplication::processEvents();
    EXPECT_EQ(workspace().openSetCount(), 0);

    question.close();
    for (int i = 0; i < 500 && workspace().openSetCount() == 0; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(workspace().openSetCount(), 1);
    EXPECT_EQ(workspace().current()->filePath, set);
}

TEST_F(SingleInstanceTest, AStaleSocketIsReplacedAndARacingStartHandsOver)
{
    ASSERT_TRUE(WriteFileBytes(fromQString(serverName()), "left behind by a crash"));
    SingleInstance first(serverName());
    EXPECT_EQ(first.start({}), SingleInstance::Role::Primary);
    QLocalSocket probe;
    probe.connectToServer(serverName());
    EXPECT_TRUE(probe.waitForConnected(1000));
}

TEST_F(SingleInstanceTest, AnUnansweredHandOverFallsBackToTheFile)
{
    startWindow();
    const std::string set = savedSet("fallback.vtd");
    window->workspace().CloseCurrentSet();
    // An instance that accepts connections but never answers.
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(serverName()));
    SingleInstance second(serverName());
    second.setAnswerTimeout(kSilentAnswerMs);
    EXPECT_EQ(second.start({QStringLiteral("openShellCall"), toQString(set)}), SingleInstance::Role::Secondary);
    ASSERT_TRUE(FileExists(HandOffFilePath()));

    window->secondStart({});
    EXPECT_EQ(workspace().openSetCount(), 1);
    EXPECT_EQ(workspace().current()->filePath, set);
    EXPECT_FALSE(FileExists(HandOffFilePath()));
}

// The editor program started a second time while the running editor does
// not answer: it leaves the set in the hand-off file, and the running editor
// opens it by itself, without another start to wake it.
TEST_F(SingleInstanceTest, TheRunningEditorTakesAFallbackHandOffAtOnce)
{
    startWindow();
    const std::string set = savedSet("woken.vtd");
    window->workspace().CloseCurrentSet();
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(serverName()));

    EXPECT_EQ(runSecondStart({QStringLiteral("openShellCall"), toQString(set)}), 0);
    for (int i = 0; i < 300 && workspace().openSetCount() == 0; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(workspace().openSetCount(), 1);
    EXPECT_EQ(workspace().current()->filePath, set);
    EXPECT_FALSE(FileExists(HandOffFilePath()));
}

TEST_F(SingleInstanceTest, SecondStartsFallingBackAtOnceAreAllTaken)
{
    // An instance that never answers makes every second start use the file.
    QLocalServer silent;
    silent.setMaxPendingConnections(32);
    ASSERT_TRUE(silent.listen(serverName()));
    constexpr int kStarts = 6;
    std::vector<std::unique_ptr<QProcess>> starts;
    for (int i = 0; i < kStarts; ++i) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = secondStartEnvironment();
        env.insert(QStringLiteral("DORVEL_INSTANCE_ANSWER_MS"), QString::number(kSilentAnswerMs));
        process->setProcessEnvironment(env);
        process->start(QStringLiteral(DORVEL_EDITOR_PROGRAM),
                       {QStringLiteral("openShellCall"), QStringLiteral("/sets/set%1.vtd").arg(i)});
        starts.push_back(std::move(process));
    }
    for (auto& process : starts) {
        EXPECT_TRUE(process->waitForFinished(30000));
        EXPECT_EQ(process->exitCode(), 0);
    }
    const std::vector<HandOffPair> pairs = TakeHandOff(HandOffFilePath());
    ASSERT_EQ(pairs.size(), static_cast<std::size_t>(kStarts));
    std::vector<std::string> paths;
    for (const HandOffPair& p : pairs) {
        EXPECT_EQ(p.p1, "openShellCall");
        paths.push_back(p.p2);
    }
    std::sort(paths.begin(), paths.end());
    for (int i = 0; i < kStarts; ++i)
        EXPECT_EQ(paths[static_cast<std::size_t>(i)], "/sets/set" + std::to_string(i) + ".vtd");
    EXPECT_FALSE(FileExists(HandOffFilePath()));
    EXPECT_TRUE(TakeHandOff(HandOffFilePath()).empty());
}

TEST_F(SingleInstanceTest, MalformedOrUnfitHandOffsAreDropped)
{
    startWindow();
    const std::string set = savedSet("real.vtd");
    const std::string text = dir.write("notaset.txt", "hello");
    const std::string cases[] = {
        "garbage without tags",
        "<p1>openShellCall</p1>",
        "<p1>openShellCal</p1><p2>" + set + "</p2>",
        "<p1>openShellCall</p1><p2>" + text + "</p2>",
        "<p1>openShellCall</p1><p2>" + dir.path("missing.vtd") + "</p2>",
        "<p1>openShellCall<p2>" + set,
    };
    window->workspace().CloseCurrentSet();
    for (const std::string& c : cases) {
        SCOPED_TRACE(c);
        ASSERT_TRUE(WriteFileBytes(HandOffFilePath(), c));
        window->ReadHandOffFile();
        EXPECT_EQ(workspace().openSetCount(), 0);
        EXPECT_FALSE(FileExists(HandOffFilePath()));
    }
}

}  // namespace
}  // namespace dorvel::test
