#include "editor/Workspace.h"
#include "editor/recovery/RecoveryKeeper.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/window/WindowFixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include <ctime>
#include <iostream>

namespace dorvel::test {
namespace {

class RecoveryTest : public WindowTest {
protected:
    std::vector<RecoveryCopy> copies() { return RecoveryCopies(RecoveryCopies::defaultFolder()).found(); }
    void typeTitle(const char* text)
    {
        auto* title = control<QPlainTextEdit>("Title");
        title->setFocus();
        QTest::keyClicks(title, QString::fromLatin1(text));
    }
};

// The editor that gets killed: run only as a child of the test below. It
// saves a set, goes on typing, and says "ready" once its recovery copy of
// the typing is written; then it waits to be killed.
TEST_F(RecoveryTest, ChildEditorKilledWhileEditing)
{
    const QByteArray folder = qgetenv("DORVEL_RECOVERY_CHILD");
    if (folder.isEmpty())
        GTEST_SKIP() << "run by KilledEditorsWorkIsOfferedOnTheNextStart";
    startWindow();
    ui.saveChoices.push_back(JoinPath(folder.toStdString(), "Capitals.vtd"));
    ASSERT_TRUE(workspace().SaveTestAs());
    workspace().TestTreeChange(0, 1);
    typeTitle("What is the capital of France?");
    // The copy follows the typing within a tick of the timer.
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
            OpenSet copy;
            return copies().size() == 1 && ReadSetFile(copies()[0].copyPath, copy) == SetFileStatus::Ok
                && GetTag(copy.questionSlots[1], "Title") == "What is the capital of France?";
        },
        20000));
    std::cout << "ready" << std::endl;
    for (;;)
        QTest::qWait(1000);
}

// Runs the editor above as a child and kills it once its copy holds the
// typing; false when that did not happen within `withinMs`.
bool RunAndKillChildEditor(const std::string& folder, const QString& intervalMs, int withinMs)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DORVEL_RECOVERY_CHILD"), toQString(folder));
    if (!intervalMs.isEmpty())
        env.insert(QStringLiteral("DORVEL_RECOVERY_INTERVAL_MS"), intervalMs);
    env.insert(QStringLiteral("DORVEL_TEST_DATA_HOME"), qEnvironmentVariable("XDG_DATA_HOME"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryTest.ChildEditorKilledWhileEditing")});
    EXPECT_TRUE(child.waitForStarted());
    QByteArray out;
    QDeadlineTimer deadline(withinMs);
    while (!out.contains("ready") && !deadline.hasExpired() && child.state() == QProcess::Running)
        if (child.waitForReadyRead(100))
            out += child.readAllStandardOutput();
    child.kill();  // SIGKILL: no close, no clean-up
    child.waitForFinished();
    EXPECT_TRUE(out.contains("ready")) << out.toStdString() << child.readAllStandardError().toStdString();
    return out.contains("ready");
}

TEST_F(RecoveryTest, KilledEditorsWorkIsOfferedOnTheNextStart)
{
    ASSERT_TRUE(RunAndKillChildEditor(dir.path(), QStringLiteral("100"), 60000));

    const std::string setPath = dir.path("Capitals.vtd");
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_EQ(copies()[0].setPath, setPath);

    ui.answers = {Answer::Yes};
    startWindow();
    ASSERT_FALSE(ui.questions.empty());
    EXPECT_NE(ui.questions.front().find("Capitals.vtd"), std::string::npos) << ui.questions.front();
    ASSERT_NE(workspace().current(), nullptr);
    EXPECT_EQ(workspace().current()->filePath, setPath);
    EXPECT_EQ(questionField(1, "Title"), "What is the capital of France?");
    EXPECT_TRUE(workspace().current()->hasUnsavedChanges());
    EXPECT_TRUE(window->isWindowModified());
    // The set file itself still holds what was saved.
    OpenSet onDisk;
    ASSERT_EQ(ReadSetFile(setPath, onDisk), SetFileStatus::Ok);
    EXPECT_EQ(GetTag(onDisk.questionSlots[1], "Title"), " ");
}

// With the copy of every minute only, a crash seconds after the last key
// still keeps the typing: a copy follows each pause in typing.
TEST_F(RecoveryTest, AKilledEditorKeepsWhatWasTypedBeforeAPause)
{
    // Far less than the minute, enough for the child to start, type and pause.
    ASSERT_TRUE(RunAndKillChildEditor(dir.path(), QString(), 20000));
    ASSERT_EQ(copies().size(), 1u);
    OpenSet copy;
    ASSERT_EQ(ReadSetFile(copies()[0].copyPath, copy), SetFileStatus::Ok);
    EXPECT_EQ(GetTag(copy.questionSlots[1], "Title"), "What is the capital of France?");
}

TEST_F(RecoveryTest, CopiesFollowTheSavedStateAndANormalCloseRemovesThem)
{
    startWindow();
    workspace().TestTreeChange(0, 1);
    typeTitle("draft");
    window->recovery().keep(std::time(nullptr));
    ASSERT_EQ(copies().size(), 1u);
    // Undoing back to the saved state needs no copy.
    workspace().Undo();
    EXPECT_TRUE(copies().empty());
    workspace().Redo();
    window->recovery().keep(std::time(nullptr));
    ASSERT_EQ(copies().size(), 1u);
    ui.answers = {Answer::No};  // do not save
    ASSERT_TRUE(closeWindow());
    EXPECT_TRUE(copies().empty());
}

}  // namespace
}  // namespace dorvel::test
