#include "exchange/ImportFile.h"

#include "exchange/Reasons.h"
#include "languages/LangStrings.h"
#include "languages/MediaMessages.h"
#include "platform/SystemFiles.h"
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
    return FillPlaceholders(std::move(text), a, b, c);
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
    return ReadQuestions(bytes, format ? *format : GuessFileFormat(path, bytes), fromQString(info.absolutePath()));
}

std::string ImportErrorText(const ImportResult& result, const LangStrings& lang)
{
    return FilledText(lang.at(result.error), result.errorDetail);
}

std::string SkippedText(const Skipped& skipped, const LangStrings& lang)
{
    return FilledText(lang.at(text::kSkippedLine), std::to_string(skipped.position), skipped.name, lang.at(skipped.reason));
}

std::string LeftOutText(const LeftOut& leftOut, const LangStrings& lang)
{
    const std::string why = leftOut.verdict == MediaVerdict::Ok
        ? std::string()
        : MediaVerdictText(leftOut.verdict, MediaKind::Picture, lang);
    return FilledText(lang.at(text::kSkippedLine), std::to_string(leftOut.position), leftOut.name,
                      FilledText(lang.at(leftOut.reason), leftOut.detail, why));
}

std::string ImportedSetPath(const std::string& out, int index)
{
    std::string stem = out;
    if (LowerCase(ExtractFileExt(stem)) == ".vtd")
        stem.erase(stem.size() - 4);
    return index == 0 ? stem + ".vtd" : stem + "-" + std::to_string(index + 1) + ".vtd";
}

bool TakeImportedSetPaths(const std::string& out, std::size_t count, std::vector<std::string>& paths,
                          std::string& error)
{
    paths.clear();
    if (count == 0)
        return true;
    paths.push_back(ImportedSetPath(out, 0));
    for (int n = 1; paths.size() < count; ++n) {
        if (n > 1'000'000) {
            error = "no free name beside " + paths.front();
            return false;
        }
        const std::string path = ImportedSetPath(out, n);
        // Created only when nothing (not even a link) has the name: whatever
        // is there is the user's and stays.
        if (CreateNewFile(NativeSeparators(path)).valid()) {
            paths.push_back(path);
            continue;
        }
        const std::string why = LastErrorText();
        if (!FileExists(path) && !DirectoryExists(path) && !IsSymbolicLink(NativeSeparators(path))) {
            error = "cannot create " + path + ": " + why;
            return false;
        }
    }
    return true;
}

}  // namespace dorvel::exchange
