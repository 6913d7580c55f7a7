// Random bytes through everything that reads stored files and tagged text.
#include "languages/LangStrings.h"
#include "marking/Marking.h"
#include "model/Question.h"
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
        // Any record reads as a question and, written back unchanged, is
        // the same bytes; and any question can be marked.
        if (!source.empty()) {
            const dorvel::Question q = dorvel::ReadQuestion(source);
            if (dorvel::WriteQuestion(q, source) != source)
                __builtin_trap();
            dorvel::Response response;
            response.chosen = {0, 1, static_cast<int>(size % 5)};
            response.statements = {1, 0, -1};
            for (const dorvel::AnswerField& field : q.fields)
                response.typed.push_back(field.accepted.empty() ? std::string(source.substr(0, 8)) : field.accepted[0].text);
            const dorvel::Mark mark = dorvel::MarkQuestion(q, response);
            if (mark.score < 0 || mark.score > mark.max)
                __builtin_trap();
        }
    }

    dorvel::LangStrings strings;
    strings.applyPack(bytes, [](const std::string&) {});
    return 0;
}
