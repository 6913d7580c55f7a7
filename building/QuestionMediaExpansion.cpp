#include "building/QuestionMediaExpansion.h"

#include "bank/BankLists.h"
#include "bank/ExportLists.h"
#include "languages/LangStrings.h"
#include "languages/MediaMessages.h"
#include "media/QuestionMedia.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <algorithm>
#include <functional>
#include <map>

namespace dorvel {

namespace {

constexpr std::string_view kPlaceName = "QuestionPicture";

// Each record of `kind` in `content`, in place: `visit` may rewrite it, or
// return false to take it out.
void VisitRecords(std::string& content, std::string_view kind, const std::function<bool(std::string&)>& visit)
{
    const std::string open = "<" + std::string(kind) + ">";
    const std::string close = "</" + std::string(kind) + ">";
    std::size_t from = 0;
    while (true) {
        const std::size_t start = content.find(open, from);
        if (start == std::string::npos)
            return;
        const std::size_t end = content.find(close, start + open.size());
        if (end == std::string::npos)
            return;
        std::string record = content.substr(start + open.size(), end - start - open.size());
        if (visit(record)) {
            const std::string rewritten = open + record + close;
            content.replace(start, end + close.size() - start, rewritten);
            from = start + rewritten.size();
        } else {
            content.erase(start, end + close.size() - start);
            from = start;
        }
    }
}

std::map<std::string, std::pair<std::string, std::string>> ParseWithPicture(const std::string& text)
{
    std::map<std::string, std::pair<std::string, std::string>> moves;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(';', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string item = text.substr(at, end - at);
        const std::size_t eq = item.find('=');
        const std::size_t comma = item.find(',', eq == std::string::npos ? 0 : eq);
        if (eq != std::string::npos && comma != std::string::npos)
            moves[item.substr(0, eq)] = {item.substr(eq + 1, comma - eq - 1), item.substr(comma + 1)};
        at = end + 1;
    }
    return moves;
}

struct Geometry {
    const char* kind;
    const char* name;
    const char* left;
    const char* width;
};

constexpr Geometry kMovable[] = {
    {"vtText", "textName", "textLeft", "textWidth"},
    {"vtButton", "ButtonName", "buttonLeft", "buttonWidth"},
    {"vtField", "FieldName", "FieldLeft", "FieldWidth"},
};

std::string Str(int n)
{
    return std::to_string(n);
}

}  // namespace

QuestionMediaUse UsableQuestionMedia(const std::string& record, const std::string& setFilePath, int question,
                                     std::vector<QuestionMediaProblem>& problems)
{
    QuestionMediaUse use;
    for (const MediaKind kind : {MediaKind::Picture, MediaKind::Sound}) {
        const ResolvedMedia media = ResolveQuestionMedia(record, kind, setFilePath);
        if (!media.named)
            continue;
        // Checked again: the file may have changed since it was chosen.
        const MediaCheck check = media.found ? CheckQuestionMedia(media.path, kind) : MediaCheck{};
        if (!check.ok()) {
            problems.push_back({media.path, question, check.verdict});
            continue;
        }
        if (kind == MediaKind::Picture) {
            use.picture = media.path;
            use.pictureWidth = check.width;
            use.pictureHeight = check.height;
            use.pictureDescription = SafeStoredValue(GetTag(record, kQuestionPictureDescriptionField));
        } else {
            use.sound = media.path;
        }
    }
    return use;
}

std::string PlaceQuestionMedia(std::string content, const QuestionMediaUse& use)
{
    std::string place;
    VisitRecords(content, "vtPicture", [&](std::string& r) {
        if (!place.empty() || GetTag(r, "PictureName") != kPlaceName)
            return true;
        place = r;
        return false;
    });

    if (!use.sound.empty()) {
        // The page shows a small button that plays the sound again, where
        // the template's place says (below the answers); templates without
        // one get the bottom left corner of the smallest window.
        const std::string fallback = place.empty() ? std::string("<soundButtonLeft>8</soundButtonLeft>"
                                                                 "<soundButtonTop>400</soundButtonTop>")
                                                   : place;
        content = SetTag(content, "soundButtonSize", Str(GetTagInt(fallback, "soundButtonSize", 24)));
        content = SetTag(content, "soundButtonTop", Str(GetTagInt(fallback, "soundButtonTop", 400)));
        content = SetTag(content, "soundButtonLeft", Str(GetTagInt(fallback, "soundButtonLeft", 8)));
        content = SetTag(content, "questionAudioRel", "0");
        content = SetTag(content, "questionAudioAbs", use.sound);
    }

    if (use.picture.empty() || place.empty())
        return content;

    const int placeLeft = GetTagInt(place, "PictureLeft", 0);
    const int placeTop = GetTagInt(place, "PictureTop", 0);
    const int placeWidth = std::max(1, GetTagInt(place, "PictureWidth", 1));
    const int placeHeight = std::max(1, GetTagInt(place, "PictureHeight", 1));
    int width = placeWidth;
    int height = placeHeight;
    if (use.pictureWidth > 0 && use.pictureHeight > 0) {
        // Never enlarged (a small picture would only blur), shrunk until both
        // sides fit, the proportions kept.
        const double scale = std::min({1.0, double(placeWidth) / use.pictureWidth, double(placeHeight) / use.pictureHeight});
        width = std::clamp(int(use.pictureWidth * scale + 0.5), 1, placeWidth);
        height = std::clamp(int(use.pictureHeight * scale + 0.5), 1, placeHeight);
    }
    std::string picture = place;
    for (const char* field : {"withPicture", "soundButtonLeft", "soundButtonTop", "soundButtonSize"})
        picture = RemoveTag(picture, field);
    picture = SetTag(picture, "picFilePathRel", "0");
    picture = SetTag(picture, "picFilePathAbs", use.picture);
    if (!use.pictureDescription.empty())
        picture = SetTag(picture, "PictureDescription", use.pictureDescription);
    picture = SetTag(picture, "PictureHeight", Str(height));
    picture = SetTag(picture, "PictureWidth", Str(width));
    picture = SetTag(picture, "PictureTop", Str(placeTop + (placeHeight - height) / 2));
    picture = SetTag(picture, "PictureLeft", Str(placeLeft + (placeWidth - width) / 2));

    const auto moves = ParseWithPicture(GetTag(place, "withPicture"));
    for (const Geometry& g : kMovable) {
        VisitRecords(content, g.kind, [&](std::string& r) {
            const auto move = moves.find(GetTag(r, g.name));
            if (move != moves.end()) {
                r = SetTag(r, g.width, move->second.second);
                r = SetTag(r, g.left, move->second.first);
            }
            return true;
        });
    }
    return content + "<vtPicture>" + picture + "</vtPicture>";
}

std::string AddQuestionMediaProblems(ExportLists& lists, const std::vector<QuestionMediaProblem>& problems,
                                     const LangStrings& lang)
{
    // One line per file and reason, naming every question that uses it.
    std::vector<std::pair<const QuestionMediaProblem*, std::string>> lines;
    for (const QuestionMediaProblem& p : problems) {
        auto same = std::find_if(lines.begin(), lines.end(), [&](const auto& line) {
            return line.first->path == p.path && line.first->verdict == p.verdict;
        });
        if (same == lines.end())
            lines.push_back({&p, Str(p.question)});
        else
            same->second += ", " + Str(p.question);
    }
    for (const auto& [p, questions] : lines) {
        std::string line;
        if (p->verdict == MediaVerdict::Missing) {
            line = FillPlaceholders(lang.at(MediaText::NamedByQuestion), p->path, questions);
        } else {
            const MediaKind kind = IsMediaExtension(MediaKind::Sound, LowerCase(ExtractFileExt(p->path)))
                ? MediaKind::Sound
                : MediaKind::Picture;
            line = FillPlaceholders(lang.at(MediaText::RefusedForQuestion), p->path, questions,
                                    MediaVerdictText(p->verdict, kind, lang));
        }
        if (lists.missingFiles.size() < ExportLists::kMaxFiles)
            lists.missingFiles.push_back(line);
    }
    return MissingFilesStatus(lists);
}

}  // namespace dorvel
