// The language-pack reader: a DVLang/<language>.vtc file as it is stored
// (scrambled; the first byte can ask for the rest to be scrambled first, so
// that the fuzzer varies the pack's lines), applied to the string table, its
// component lines taken apart as the window takes them, and its texts used
// where the web test uses them.
#include "export/WriteTestPages.h"
#include "shell/ComponentLine.h"
#include "shell/LangStrings.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

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
    static const int packKind = dorvel::StoredFileKind("English (UK).vtc");
    const std::string stored = (data[0] & 1) ? dorvel::ScrambleTextSeeded(rest, packKind, 1) : std::string(rest);

    static QTemporaryDir folder;
    if (!folder.isValid())
        __builtin_trap();
    const std::string path = dorvel::fromQString(folder.filePath(QStringLiteral("pack.vtc")));
    if (!dorvel::WriteFileBytes(path, stored))
        __builtin_trap();

    dorvel::LangStrings strings;
    strings.applyPack(dorvel::ReadStoredFile(path), [](const std::string& line) {
        const dorvel::ComponentLine parsed = dorvel::ParseComponentLine(line);
        dorvel::HintNumber(parsed.property);
        dorvel::SplitItems(parsed.value);
    });
    dorvel::InterfaceTextsFrom(strings);
    for (int n = 0; n < dorvel::LangStrings::kCount; n += 37)
        strings.key(dorvel::MessageKey(n));
    return 0;
}
