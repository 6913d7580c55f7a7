#include "exchange/QuestionReaders.h"

#include "exchange/Reasons.h"

#include <cctype>

namespace dorvel::exchange {

namespace {

// The number of the first line longer than the limit, or 0.
std::size_t firstLongLine(std::string_view bytes)
{
    std::size_t line = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes[i] == '\n' || bytes[i] == '\r') {
            if (i - start > kMaxLineLength)
                return line;
            if (i < bytes.size() && bytes[i] == '\n')
                ++line;
            else if (i < bytes.size() && !(i + 1 < bytes.size() && bytes[i + 1] == '\n'))
                ++line;
            start = i + 1;
        }
    }
    return 0;
}

}  // namespace

Format GuessFormat(std::string_view bytes)
{
    std::size_t i = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (i < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[i])))
        ++i;
    // A GIFT question may well begin with a tag of its own ("<b>Note</b> ...").
    if (bytes.substr(i, 5) == "<?xml" || bytes.substr(i, 5) == "<quiz" || bytes.substr(i, 4) == "<!--")
        return Format::MoodleXml;
    // Aiken: some line is "ANSWER: X" and none holds GIFT's braces.
    bool answerLine = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
            line.remove_prefix(1);
        if (line.substr(0, 7) == "ANSWER:")
            answerLine = true;
        if (line.find('{') != std::string_view::npos)
            return Format::Gift;
        start = end + 1;
    }
    return answerLine ? Format::Aiken : Format::Gift;
}

std::optional<Format> FormatNamed(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "gift")
        return Format::Gift;
    if (lower == "aiken")
        return Format::Aiken;
    if (lower == "moodlexml" || lower == "xml")
        return Format::MoodleXml;
    return std::nullopt;
}

ImportResult ReadQuestions(std::string_view bytes, Format format)
{
    ImportResult refused;
    if (bytes.size() > kMaxImportFileSize) {
        refused.error = reason::kFileTooLarge;
        return refused;
    }
    if (format != Format::MoodleXml) {
        if (const std::size_t line = firstLongLine(bytes)) {
            refused.error = reason::kLineTooLong;
            refused.errorDetail = std::to_string(line);
            return refused;
        }
    }
    ImportResult result;
    switch (format) {
    case Format::Gift: result = ReadGift(bytes); break;
    case Format::Aiken: result = ReadAiken(bytes); break;
    case Format::MoodleXml: result = ReadMoodleXml(bytes); break;
    }
    if (result.truncated)
        result.skipped.push_back({static_cast<int>(kMaxQuestionsPerFile) + 1, {}, reason::kTooManyQuestions});
    return result;
}

}  // namespace dorvel::exchange
