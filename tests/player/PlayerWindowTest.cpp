// The player's window, run in this process (offscreen): Stop, Open in
// Browser and closing the window, and what each leaves behind. The browser is
// the test's URL handler, so every opening is seen and none reaches a desktop.
#include "player/PlayerOptions.h"
#include "player/PlayerRun.h"
#include "player/PlayerTexts.h"
#include "player/PlayerWindow.h"
#include "storage/FileUtils.h"
#include "tests/player/PlayerScene.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

namespace dorvel {
namespace {

using test::FilesUnder;
using test::PlayerScene;

// Stands in for the desktop's browser.
class Browser : public QObject {
    Q_OBJECT
public:
    Browser()
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~Browser() override
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    std::vector<std::string> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url.toString().toStdString()); }
};

PlayerWindow* ShownWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<PlayerWindow*>(w); window && window->isVisible())
            return window;
    return nullptr;
}

QPushButton* Button(PlayerWindow& window, const char* text)
{
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == QString::fromLatin1(text))
            return b;
    ADD_FAILURE() << "no button " << text;
    return nullptr;
}

// Folders the player made in the scene's temporary folder.
std::vector<std::string> PlayerFolders(const PlayerScene& s)
{
    std::vector<std::string> folders;
    for (const std::string& f : FilesUnder(s.tmp())) {
        const std::string top = f.substr(0, f.find('/'));
        if (top.rfind("dorvel-player-", 0) == 0 && (folders.empty() || folders.back() != top))
            folders.push_back(top);
    }
    return folders;
}

struct PlayerEnd {
    int exitCode = -1;
    bool endedByItself = true;
};

// Plays the scene's built bank with the window and, once it shows, does
// `act`. A player that does not end within a generous time is ended by the
// test (and counts as not ended by itself).
PlayerEnd PlayWithWindow(const std::string& bank, const std::function<void(PlayerWindow&)>& act)
{
    PlayerEnd run;
    QTimer::singleShot(0, [&] {
        PlayerWindow* window = ShownWindow();
        if (!window) {
            ADD_FAILURE() << "the player shows no window";
            QCoreApplication::quit();
            return;
        }
        act(*window);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        run.endedByItself = false;
        QCoreApplication::quit();
    });
    guard.start(20000);
    PlayerOptions options;
    options.bankPath = bank;
    run.exitCode = RunPlayer(options, true);
    return run;
}

TEST(PlayerWindow, StopAndClosingEndThePlayerAndRemoveItsFolder)
{
    const std::pair<const char*, std::function<void(PlayerWindow&)>> ways[] = {
        {"Stop", [](PlayerWindow& w) { Button(w, playertext::kStop)->click(); }},
        {"closing the window", [](PlayerWindow& w) { w.close(); }},
    };
    for (const auto& [name, end] : ways) {
        SCOPED_TRACE(name);
        PlayerScene s;
        const std::string bank = s.dir.path("Unit1.vtb");
        s.build(bank);
        Browser browser;
        std::vector<std::string> whilePlaying;
        const PlayerEnd run = PlayWithWindow(bank, [&](PlayerWindow& w) {
            whilePlaying = PlayerFolders(s);
            end(w);
        });
        EXPECT_TRUE(run.endedByItself);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(whilePlaying.size(), 1u);
        EXPECT_TRUE(PlayerFolders(s).empty());
        EXPECT_EQ(ShownWindow(), nullptr);
    }
}

TEST(PlayerWindow, OpenInBrowserOpensTheServedTestAgain)
{
    PlayerScene s;
    const std::string bank = s.dir.path("Unit1.vtb");
    s.build(bank);
    Browser browser;
    std::vector<std::string> atStart;
    QString status;
    const PlayerEnd run = PlayWithWindow(bank, [&](PlayerWindow& w) {
        atStart = browser.opened;
        Button(w, playertext::kOpenAgain)->click();
        for (QLabel* label : w.findChildren<QLabel*>())
            if (label->text() == QString::fromLatin1(playertext::kPlaying))
                status = label->text();
        Button(w, playertext::kStop)->click();
    });
    EXPECT_TRUE(run.endedByItself);
    ASSERT_EQ(atStart.size(), 1u);
    EXPECT_EQ(atStart[0].rfind("http://127.0.0.1:", 0), 0u) << atStart[0];
    EXPECT_EQ(atStart[0].substr(atStart[0].size() - 9), "/Test.htm");
    EXPECT_EQ(browser.opened, (std::vector<std::string>{atStart[0], atStart[0]}));
    EXPECT_EQ(status, QString::fromLatin1(playertext::kPlaying));
}

TEST(PlayerWindow, ShowsTheTestNameAsTheTeacherWroteIt)
{
    // Letters beyond ASCII, one beyond Latin-1 (the dash) and one beyond the
    // Basic Multilingual Plane: each is lost when UTF-8 is read as Latin-1.
    const std::string name = "Naturkunde 7b \u2013 Pr\u00fcfung M\u00e4rz \u03b1 \U0001F600";
    PlayerScene s;
    s.workspace.TestChange("TestName", name);
    const std::string bank = s.dir.path("Unit1.vtb");
    s.build(bank);
    Browser browser;
    QString title;
    QStringList labels;
    const PlayerEnd run = PlayWithWindow(bank, [&](PlayerWindow& w) {
        title = w.windowTitle();
        for (QLabel* label : w.findChildren<QLabel*>())
            labels << label->text();
        Button(w, playertext::kStop)->click();
    });
    EXPECT_TRUE(run.endedByItself);
    const QString expected = QString::fromUtf8(name.c_str());
    EXPECT_EQ(title, QString::fromLatin1(playertext::kTitle) + QStringLiteral(" - ") + expected);
    EXPECT_TRUE(labels.contains(expected)) << labels.join(QLatin1Char('|')).toStdString();
}

}  // namespace
}  // namespace dorvel

// One application for the whole run; the window needs no display.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "PlayerWindowTest.moc"
