// Random bytes through everything that reads stored files and tagged text.
#include "languages/LangStrings.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The first byte picks a file kind, the rest is the file's content.
    const int kind = size ? data[0] % 7 : 0;
    const std::string text = dorvel::UnscrambleText(bytes, kind);
    dorvel::IsScrambledAs(bytes, kind);

    for (const std::string_view source : {bytes, std::string_view(text)}) {
        for (const char* name : {"vtDorvel", "a", "question1", "", "<", "a>b"}) {
            const std::string value = dorvel::GetTag(source, name);
            dorvel::GetTagInt(source, name, 7);
            const std::string removed = dorvel::RemoveTag(source, name);
            const std::string set = dorvel::SetTag(removed, name, value);
            if (dorvel::GetTag(set, name).size() > set.size())
                __builtin_trap();
        }
        dorvel::CleanText(source);
    }

    dorvel::LangStrings strings;
    strings.applyPack(bytes, [](const std::string&) {});
    return 0;
}
