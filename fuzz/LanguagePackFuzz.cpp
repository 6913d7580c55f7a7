// The language-pack reader: the text of a pack applied to the string table,
// its component lines taken apart as the window takes them, and its texts
// used where the web test uses them. When the first byte is odd the rest is
// a DVLang/<language>.vtc file as stored (read back through the stored-file
// reader); otherwise it is the pack's text as the reader hands it on, which
// keeps the fuzzer on the lines rather than on the scrambling.
#include "export/WriteTestPages.h"
#include "languages/ComponentLine.h"
#include "languages/LangStrings.h"
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
    std::string text(rest);
    if (data[0] & 1) {
        static QTemporaryDir folder;
        if (!folder.isValid())
            __builtin_trap();
        const std::string path = dorvel::fromQString(folder.filePath(QStringLiteral("pack.vtc")));
        if (!dorvel::WriteFileBytes(path, rest))
            __builtin_trap();
        text = dorvel::ReadStoredFile(path);
    }

    dorvel::LangStrings strings;
    strings.applyPack(text, [](const std::string& line) {
        const dorvel::ComponentLine parsed = dorvel::ParseComponentLine(line);
        dorvel::HintNumber(parsed.property);
        dorvel::SplitItems(parsed.value);
    });
    dorvel::InterfaceTextsFrom(strings);
    for (int n = 0; n < dorvel::LangStrings::kCount; n += 37)
        strings.key(dorvel::MessageKey(n));
    return 0;
}
