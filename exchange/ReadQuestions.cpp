#include "exchange/QuestionReaders.h"

#include "exchange/Reasons.h"

#include <QByteArray>
#include <QStringDecoder>

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

std::optional<std::string> Utf8OfWideText(std::string_view bytes)
{
    const QByteArray raw = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(raw, u'<');
    if (!encoding || *encoding == QStringConverter::Utf8)
        return std::nullopt;
    QStringDecoder decoder(*encoding);  // leaves the byte-order mark out
    const QString text = decoder.decode(raw);
    return text.toStdString();
}

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view trimmedLine(std::string_view line)
{
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

// Calls `visit` with each line, whatever ends it (CR LF, LF, or CR alone as
// old Mac editors write); stops when it returns false.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        if (!visit(text.substr(start, end - start)))
            return;
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
}

// Aiken's shape: a line "ANSWER: X" right after a choice "X. ..." or "X) ...".
bool hasAikenShape(std::string_view text)
{
    bool afterChoice = false;
    bool found = false;
    forEachLine(text, [&](std::string_view raw) {
        const std::string_view line = trimmedLine(raw);
        if (line.empty())
            return true;
        if (afterChoice && line.substr(0, 7) == "ANSWER:") {
            found = true;
            return false;
        }
        afterChoice = line.size() >= 3 && line[0] >= 'A' && line[0] <= 'Z' && (line[1] == '.' || line[1] == ')');
        return true;
    });
    return found;
}

// Moodle XML begins with what only XML begins with: a declaration or another
// processing instruction, a comment, a document type, or the <quiz> element.
// (A GIFT question may well begin with a tag of its own: "<b>Note</b> ...".)
bool looksLikeXml(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    if (text.substr(0, 2) == "<?" || text.substr(0, 2) == "<!")
        return true;
    return text.substr(0, 5) == "<quiz" && (text.size() == 5 || text[5] == '>' || text[5] == '/' || isBlank(text[5]));
}

std::string lowerExtension(std::string_view fileName)
{
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    std::string ext(fileName.substr(dot));
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

Format GuessFormat(std::string_view bytes)
{
    const std::optional<std::string> wide = Utf8OfWideText(bytes);
    const std::string_view text = wide ? std::string_view(*wide) : bytes;
    if (looksLikeXml(text))
        return Format::MoodleXml;
    // Aiken has no braces; GIFT's answers stand in them.
    return text.find('{') == std::string_view::npos && hasAikenShape(text) ? Format::Aiken : Format::Gift;
}

Format GuessFileFormat(std::string_view fileName, std::string_view bytes)
{
    const std::string ext = lowerExtension(fileName);
    if (ext == ".xml")
        return Format::MoodleXml;
    if (ext == ".gift")
        return Format::Gift;
    if (ext == ".txt") {
        // Both Aiken and GIFT are written as .txt: Aiken's shape decides,
        // braces in a question's text or not.
        const std::optional<std::string> wide = Utf8OfWideText(bytes);
        if (hasAikenShape(wide ? std::string_view(*wide) : bytes))
            return Format::Aiken;
    }
    return GuessFormat(bytes);
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

ImportResult ReadQuestions(std::string_view bytes, Format format, const std::string& folder)
{
    ImportResult refused;
    if (bytes.size() > kMaxImportFileSize) {
        refused.error = reason::kFileTooLarge;
        return refused;
    }
    // GIFT and Aiken are read as UTF-8; a file saved as UTF-16 is turned
    // into it first (Moodle XML's reader takes any encoding XML allows).
    std::optional<std::string> wide;
    if (format != Format::MoodleXml && (wide = Utf8OfWideText(bytes)))
        bytes = *wide;
    if (format != Format::MoodleXml) {
        if (const std::size_t line = firstLongLine(bytes)) {
            refused.error = reason::kLineTooLong;
            refused.errorDetail = std::to_string(line);
            return refused;
        }
    }
    ImportResult result;
    switch (format) {
    case Format::Gift: result = ReadGift(bytes, folder); break;
    case Format::Aiken: result = ReadAiken(bytes); break;
    case Format::MoodleXml: result = ReadMoodleXml(bytes); break;
    }
    if (result.truncated)
        result.skipped.push_back({static_cast<int>(kMaxQuestionsPerFile) + 1, {}, reason::kTooManyQuestions});
    return result;
}

}  // namespace dorvel::exchange
