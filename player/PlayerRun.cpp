#include "player/PlayerRun.h"

#include "export/TestServer.h"
#include "export/WriteTestPages.h"
#include "player/PlayedTest.h"
#include "player/PlayerLanguage.h"
#include "player/PlayerOptions.h"
#include "player/PlayerStartFile.h"
#include "player/PlayerTexts.h"
#include "player/PlayerWindow.h"
#include "player/StopSignals.h"
#include "building/QuestionPlayer.h"
#include "shell/LangStrings.h"
#include "storage/FileUtils.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>
#include <memory>

namespace dorvel {

namespace {

class Player {
public:
    explicit Player(bool windowed)
        : m_windowed(windowed)
    {
    }

    // A failure that ends the player: standard error, and a message box when
    // there is a window.
    int fail(const char* text, const std::string& detail = {}) const
    {
        std::fprintf(stderr, "VTX: %s%s%s\n", text, detail.empty() ? "" : "\n  ", detail.c_str());
        if (m_windowed) {
            QString message = QString::fromLatin1(text);
            if (!detail.empty())
                message += QStringLiteral("\n\n") + toQString(detail);
            QMessageBox::critical(nullptr, QString::fromLatin1(playertext::kTitle), message);
        }
        return 1;
    }

    int run(const PlayerOptions& options)
    {
        // From the start: a signal while the test is written must not leave
        // the folder behind. It is acted on once the event loop runs.
        StopSignals stopSignals;
        QObject::connect(&stopSignals, &StopSignals::stopRequested, QCoreApplication::instance(), &QCoreApplication::quit);

        const std::string bank = options.bankPath.empty() ? ReadPlayerStartFile(PlayerStartFilePath()) : options.bankPath;
        if (bank.empty())
            return fail(playertext::kNoBank);

        // Private to this user (0700) and removed when the player ends.
        QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/dorvel-player-XXXXXX"));
        if (!folder.isValid())
            return fail(playertext::kCannotFolder, fromQString(folder.errorString()));

        LangStrings lang;
        const std::string language = LoadPlayerLanguage(lang);
        const PlayedTest test = WritePlayedTest(bank, fromQString(folder.path()), lang, language, ClockSeed());
        if (!test.ok())
            return fail(playertext::kCannotPlay, test.error);
        for (const std::string& note : test.notes)
            std::fprintf(stderr, "VTX: %s\n", note.c_str());

        // Served on loopback by default: a browser confined to its own files
        // (a snap or flatpak package) cannot read the player's private folder,
        // but it reaches 127.0.0.1. The test itself runs from files as well.
        TestServer server;
        std::string address;
        if (options.fromFiles) {
            address = fromQString(
                QUrl::fromLocalFile(folder.filePath(toQString(kPlayedStartPage))).toString(QUrl::FullyEncoded));
        } else {
            address = server.start(options.port) ? server.publish(test.startPage) : std::string();
            if (address.empty())
                return fail(playertext::kCannotServe,
                    "127.0.0.1" + (options.port ? ":" + std::to_string(options.port) : std::string()));
        }

        std::unique_ptr<PlayerWindow> window;
        if (m_windowed) {
            window = std::make_unique<PlayerWindow>(test.testName, test.preview, address, test.notes);
            QObject::connect(window.get(), &PlayerWindow::stopRequested, QCoreApplication::instance(), &QCoreApplication::quit);
            QObject::connect(window.get(), &PlayerWindow::openRequested, window.get(),
                [&] { window->setOpened(openBrowser(address)); });
            window->show();
        }

        if (!options.openBrowser) {
            std::printf("%s\n", address.c_str());
            std::fflush(stdout);
        } else {
            const bool opened = openBrowser(address);
            if (window)
                window->setOpened(opened);
            if (!opened)
                std::fprintf(stderr, "VTX: %s: %s\n", playertext::kNotOpened, address.c_str());
        }
        return QCoreApplication::exec();
    }

private:
    bool openBrowser(const std::string& address) const
    {
        // Offscreen and without a display there is no desktop to ask.
        return m_windowed && QDesktopServices::openUrl(QUrl(toQString(address)));
    }

    bool m_windowed;
};

}  // namespace

int RunPlayer(const PlayerOptions& options, bool windowed)
{
    return Player(windowed).run(options);
}

}  // namespace dorvel
