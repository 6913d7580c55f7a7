#include "player/PlayerRun.h"

#include "building/QuestionPlayer.h"
#include "export/WriteTestPages.h"
#include "languages/LangStrings.h"
#include "player/PlayedTest.h"
#include "player/PlayerLanguage.h"
#include "player/PlayerOptions.h"
#include "player/PlayerStartFile.h"
#include "player/PlayerTexts.h"
#include "player/PlayerWindow.h"
#include "player/PreviewHandOff.h"
#include "player/StopSignals.h"
#include "platform/DesktopOpener.h"
#include "server/TestServer.h"
#include "storage/FileUtils.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QPointer>
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

        // Private to this user (0700) and removed when the player ends (a
        // preview's also one hand-off after a later preview replaced it).
        auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/dorvel-player-XXXXXX"));
        if (!folder->isValid())
            return fail(playertext::kCannotFolder, fromQString(folder->errorString()));

        LangStrings lang;
        const std::string language = LoadPlayerLanguage(lang);
        PlayedTest test = WritePlayedTest(bank, fromQString(folder->path()), lang, language, ClockSeed());
        if (!test.ok())
            return fail(playertext::kCannotPlay, test.error);

        // A preview while a preview player runs goes to that player, which
        // shows it in the tab it has open.
        PreviewHandOff handOff;
        if (test.preview) {
            if (const std::string running = handOff.handOver(bank); !running.empty()) {
                if (!options.openBrowser) {
                    std::printf("%s\n", running.c_str());
                    std::fflush(stdout);
                }
                return 0;
            }
            AddPreviewReload(test);
        }
        for (const std::string& note : test.notes)
            std::fprintf(stderr, "VTX: %s\n", note.c_str());

        // Served on loopback by default: a browser confined to its own files
        // (a snap or flatpak package) cannot read the player's private folder,
        // but it reaches 127.0.0.1. The test itself runs from files as well.
        TestServer server;
        // A preview is always served: it follows the editor's next preview by
        // fetching preview-next.txt, which a page opened from files may not.
        std::string address;
        if (options.fromFiles && !test.preview) {
            address = fromQString(
                QUrl::fromLocalFile(toQString(test.startPage)).toString(QUrl::FullyEncoded));
        } else {
            address = server.start(options.port) ? server.publish(test.startPage) : std::string();
            if (address.empty())
                return fail(playertext::kCannotServe,
                            "127.0.0.1" + (options.port ? ":" + std::to_string(options.port) : std::string()));
        }
        // A preview opens at its frameset: the question at once.
        std::string opened = test.preview ? PreviewAddress(address) : address;

        std::unique_ptr<PlayerWindow> window;
        if (m_windowed) {
            window = std::make_unique<PlayerWindow>(PlayedTitle(test, lang), test.preview, opened, test.notes);
            QObject::connect(window.get(), &PlayerWindow::stopRequested, QCoreApplication::instance(), &QCoreApplication::quit);
            QObject::connect(window.get(), &PlayerWindow::openRequested, window.get(),
                             [&] { window->setOpened(openBrowser(opened, window.get())); });
            window->show();
        }

        // A later preview: its test is written into a folder of its own and
        // published, and the tab open on this one is sent there. The folder
        // before stays until the next hand-off, while that tab moves on.
        std::unique_ptr<QTemporaryDir> previous;
        if (test.preview) {
            handOff.listen([&](const std::string& handed) -> std::string {
                auto next = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/dorvel-player-XXXXXX"));
                if (!next->isValid())
                    return {};
                PlayedTest played = WritePlayedTest(handed, fromQString(next->path()), lang, language, ClockSeed());
                // Refused here, the new player plays it and says why.
                if (!played.ok() || !played.preview || !AddPreviewReload(played))
                    return {};
                const std::string nextAddress = server.publish(played.startPage);
                if (nextAddress.empty() || !SendPreviewTabTo(test, PreviewAddress(nextAddress)))
                    return {};
                if (previous)
                    server.withdraw(JoinPath(fromQString(previous->path()), kPlayedStartPage));
                previous = std::move(folder);
                folder = std::move(next);
                test = std::move(played);
                address = nextAddress;
                opened = PreviewAddress(nextAddress);
                for (const std::string& note : test.notes)
                    std::fprintf(stderr, "VTX: %s\n", note.c_str());
                if (window)
                    window->showTest(PlayedTitle(test, lang), opened, test.notes);
                return address;
            });
        }

        if (!options.openBrowser) {
            std::printf("%s\n", address.c_str());
            std::fflush(stdout);
        } else {
            const bool shown = openBrowser(opened, window.get());
            if (window)
                window->setOpened(shown);
            if (!shown)
                std::fprintf(stderr, "VTX: %s: %s\n", playertext::kNotOpened, opened.c_str());
        }
        return QCoreApplication::exec();
    }

private:
    // False when no browser could be opened. One that fails after the
    // opener started (none set up, or it would not start) turns the window
    // back to asking the author to open the address.
    bool openBrowser(const std::string& address, PlayerWindow* window) const
    {
        if (!m_windowed)
            return false;
        // Offscreen there is no desktop to ask but Qt's own handlers.
        const QString platform = QGuiApplication::platformName();
        if (platform == QStringLiteral("offscreen") || platform == QStringLiteral("minimal"))
            return QDesktopServices::openUrl(QUrl(toQString(address)));
        QPointer<PlayerWindow> shown(window);
        return OpenWithDesktop(address, [shown, address] {
            std::fprintf(stderr, "VTX: %s: %s\n", playertext::kNotOpened, address.c_str());
            if (shown)
                shown->setOpened(false);
        });
    }

    bool m_windowed;
};

}  // namespace

int RunPlayer(const PlayerOptions& options, bool windowed)
{
    return Player(windowed).run(options);
}

}  // namespace dorvel
