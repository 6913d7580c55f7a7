#include "exchange/ImportFile.h"

#include "exchange/Reasons.h"
#include "shell/LangStrings.h"
#include "storage/FileUtils.h"

#include <QFileInfo>

namespace dorvel::exchange {

namespace {

ImportResult refused(int why, const std::string& detail = {})
{
    ImportResult result;
    result.error = why;
    result.errorDetail = detail;
    return result;
}

}  // namespace

std::string FilledText(std::string text, const std::string& a, const std::string& b, const std::string& c)
{
    // One pass: a value that itself holds "%2" (a question's name) stays as it is.
    const std::string* values[] = {&a, &b, &c};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '3') {
            out += *values[text[i + 1] - '1'];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

ImportResult ImportQuestionFile(const std::string& path, std::optional<Format> format)
{
    const QFileInfo info(toQString(path));
    if (!info.exists() || !info.isFile())
        return refused(reason::kCannotRead, path);
    if (static_cast<std::size_t>(info.size()) > kMaxImportFileSize)
        return refused(reason::kFileTooLarge);
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return refused(reason::kCannotRead, path);
    return ReadQuestions(bytes, format ? *format : GuessFormat(bytes));
}

std::string ImportErrorText(const ImportResult& result, const LangStrings& lang)
{
    return FilledText(lang.at(result.error), result.errorDetail);
}

std::string SkippedText(const Skipped& skipped, const LangStrings& lang)
{
    return FilledText(lang.at(text::kSkippedLine), std::to_string(skipped.position), skipped.name, lang.at(skipped.reason));
}

std::string ImportedSetPath(const std::string& out, int index)
{
    std::string stem = out;
    if (LowerCase(ExtractFileExt(stem)) == ".vtd")
        stem.erase(stem.size() - 4);
    return index == 0 ? stem + ".vtd" : stem + "-" + std::to_string(index + 1) + ".vtd";
}

}  // namespace dorvel::exchange
