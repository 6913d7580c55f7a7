// Random files through the question importers (the first byte picks the
// reader, or guessing). Nothing may crash or grow without bound, and what
// was imported, once stored in a set, must come back whole through our own
// Moodle XML and GIFT (GIFT: all it can carry). A picture that came in passed the media checks, and
// the name it would be written under stays inside its folder.
#include "exchange/ImportedPictures.h"
#include "exchange/QuestionReaders.h"
#include "exchange/QuestionWriters.h"
#include "exchange/SetRecords.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace dorvel::exchange;

namespace {

std::size_t exportedCount(const std::vector<ExportQuestion>& questions, bool splitFields, bool gift)
{
    std::size_t count = 0;
    for (const ExportQuestion& e : questions)
        if (!gift || GiftCarries(e.question))
            count += SingleAnswerQuestions(e.question, splitFields).size();
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const Format formats[] = {Format::Gift, Format::Aiken, Format::MoodleXml};
    const Format format = data[0] < 3 ? formats[data[0]] : GuessFormat(bytes);
    const ImportResult result = ReadQuestions(bytes, format);
    if (result.error && (!result.questions.empty() || !result.skipped.empty()))
        __builtin_trap();

    std::vector<ExportQuestion> stored;
    for (const Question& q : result.questions) {
        if (q.kind == Kind::Choice && (q.choices.size() < 2 || q.choices.size() > 4))
            __builtin_trap();
        if (!q.picture.bytes.empty()) {
            if (!dorvel::CheckMediaBytes(q.picture.name, dorvel::MediaKind::Picture, q.picture.bytes).ok())
                __builtin_trap();
            const std::string safe = SafePictureName(q.picture.name);
            if (safe.empty() || safe.front() == '.' || safe.find_first_of("/\\") != std::string::npos
                || safe.find("..") != std::string::npos)
                __builtin_trap();
        }
        stored.push_back({static_cast<int>(stored.size() + 1), QuestionOfRecord(QuestionRecord(q)), {}});
    }
    if (stored.empty())
        return 0;
    // What GIFT cannot carry is left out of it (and listed by the export).
    const std::size_t inGift = exportedCount(stored, true, true);
    const ImportResult gift = ReadGift(GiftText(stored, result.category));
    if (inGift > 0 && (gift.error || gift.questions.size() != inGift))
        __builtin_trap();
    const ImportResult xml = ReadMoodleXml(MoodleXmlText(stored, result.category));
    if (xml.error || xml.questions.size() + xml.skipped.size() != exportedCount(stored, false, false))
        __builtin_trap();
    return 0;
}
