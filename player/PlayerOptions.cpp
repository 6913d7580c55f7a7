#include "player/PlayerOptions.h"

#include <charconv>

namespace dorvel {

namespace {

bool ParsePort(const std::string& text, std::uint16_t& port)
{
    unsigned value = 0;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), last, value);
    if (text.empty() || ec != std::errc() || ptr != last || value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

}  // namespace

const char* PlayerUsage()
{
    return "usage: VTX [--no-open] [--no-window] [--port N] [--files] [BANK.vtb]\n"
           "Plays a question bank in the web browser. Without BANK, plays the bank\n"
           "named in VTX.txt beside the program.\n"
           "  --no-open    print the test's address on standard output instead of\n"
           "               opening the browser\n"
           "  --no-window  no window and no message boxes (messages go to standard error)\n"
           "  --port N     serve the test on port N of 127.0.0.1 (default: any free port)\n"
           "  --files      open the test from its folder (a file address) instead of\n"
           "               serving it (a preview is always served)\n";
}

ParsedPlayerOptions ParsePlayerOptions(const std::vector<std::string>& args)
{
    ParsedPlayerOptions parsed;
    PlayerOptions& o = parsed.options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            if (a == "--") {
                optionsEnded = true;
            } else if (a == "--no-open") {
                o.openBrowser = false;
            } else if (a == "--no-window") {
                o.window = false;
            } else if (a == "--files") {
                o.fromFiles = true;
            } else if (a == "--port") {
                if (i + 1 >= args.size() || !ParsePort(args[i + 1], o.port)) {
                    parsed.error = "--port needs a number from 0 to 65535";
                    return parsed;
                }
                ++i;
            } else if (a == "--help" || a == "-h") {
                parsed.help = true;
            } else {
                parsed.error = "unknown option " + a;
                return parsed;
            }
        } else if (o.bankPath.empty()) {
            o.bankPath = a;
        } else {
            parsed.error = "more than one bank given";
            return parsed;
        }
    }
    return parsed;
}

}  // namespace dorvel
