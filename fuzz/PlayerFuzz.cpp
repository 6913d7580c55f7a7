// A bank from outside all the way through the player: header checks, media
// unpacking under the names the pages use, and the page generator on
// whatever question files the bank holds. Whatever the bank says, every file
// lands inside the player's folder. The input is read as the bank reader's
// target reads it: the first byte can ask for the header (up to the first
// zero byte) to be scrambled, so the fuzzer varies the header itself.
#include "languages/LangStrings.h"
#include "player/PlayedTest.h"
#include "storage/FileUtils.h"
#include "storage/ScratchFiles.h"
#include "storage/Vtutils.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string bank;
    if (data[0] & 1) {
        const auto zero = rest.find('\0');
        bank = dorvel::ScrambleTextSeeded(rest.substr(0, zero), 3, 1);
        if (zero != std::string_view::npos)
            bank += rest.substr(zero + 1);
    } else {
        bank.assign(rest);
    }

    static const dorvel::LangStrings lang;
    QTemporaryDir root;
    if (!root.isValid())
        __builtin_trap();
    const std::string bankPath = dorvel::fromQString(root.filePath(QStringLiteral("bank.vtb")));
    const std::string folder = dorvel::fromQString(root.filePath(QStringLiteral("player")));
    if (!dorvel::WriteScratchFileBytes(bankPath, bank) || !dorvel::ForceDirectory(folder))
        __builtin_trap();

    dorvel::WritePlayedTest(bankPath, folder, lang, "", 1);

    QDirIterator it(root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString name = it.next().mid(root.path().size() + 1);
        if (name != QStringLiteral("bank.vtb") && name != QStringLiteral("player"))
            __builtin_trap();
    }
    return 0;
}
