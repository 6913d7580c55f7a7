// VTX, the question player: plays a question bank in the web browser. It
// unpacks the bank into a private folder, writes the same web test the web
// export makes of those questions, serves it on the loopback interface and
// opens it. It runs until Stop, a closed window or SIGINT/SIGTERM/SIGHUP, and
// then removes its folder.
#include "player/PlayerOptions.h"
#include "player/PlayerRun.h"

#include <QApplication>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace dorvel;

// A window needs a display; without one the player runs as a console program.
bool DisplayAvailable()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv)
{
    // The kind of application is chosen first; Qt then takes its own
    // options (-platform, -display) out of argv before ours are read.
    bool window = true;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--")
            break;
        if (std::string_view(argv[i]) == "--no-window")
            window = false;
    }
    const bool windowed = window && DisplayAvailable();
    // Without a display this is a QCoreApplication: qApp (a QApplication cast)
    // must not be used.
    std::unique_ptr<QCoreApplication> app;
    if (windowed)
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Dorvel Player"));

    const ParsedPlayerOptions parsed = ParsePlayerOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::fputs(PlayerUsage(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "VTX: %s\n%s", parsed.error.c_str(), PlayerUsage());
        return 2;
    }
    return RunPlayer(parsed.options, windowed);
}
