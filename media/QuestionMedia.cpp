#include "media/QuestionMedia.h"

#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <QDir>
#include <QFileInfo>

namespace dorvel {

namespace {

std::string storedPath(const std::string& record, const char* field)
{
    const std::string stored = GetTag(record, field);
    if (stored.empty() || stored == "0")
        return {};
    return DecodeText(stored);
}

// Only an absolute path on this machine counts, never one relative to the
// working folder; a folder, device or FIFO is no medium.
bool IsRegularAbsoluteFile(const std::string& path)
{
    return !path.empty() && QDir::isAbsolutePath(toQString(path)) && OpenRegularFile(NativeSeparators(path)).valid();
}

std::string SetFolder(const std::string& setFilePath)
{
    if (setFilePath.empty())
        return {};
    return fromQString(QFileInfo(toQString(setFilePath)).absolutePath());
}

std::string RelativeField(const std::string& absolutePath, const std::string& setFilePath)
{
    const std::string folder = SetFolder(setFilePath);
    if (folder.empty())
        return "0";
    return EncodeText(fromQString(QDir(toQString(folder)).relativeFilePath(toQString(absolutePath))));
}

}  // namespace

const QuestionMediaFields& QuestionMediaFieldsOf(MediaKind kind)
{
    return kind == MediaKind::Picture ? kQuestionPictureFields : kQuestionSoundFields;
}

std::string NamedQuestionMedia(const std::string& record, MediaKind kind)
{
    return storedPath(record, QuestionMediaFieldsOf(kind).abs);
}

ResolvedMedia ResolveQuestionMedia(const std::string& record, MediaKind kind, const std::string& setFilePath)
{
    const QuestionMediaFields& fields = QuestionMediaFieldsOf(kind);
    ResolvedMedia media;
    const std::string abs = storedPath(record, fields.abs);
    const std::string rel = storedPath(record, fields.rel);
    if (abs.empty() && rel.empty())
        return media;
    media.named = true;
    media.path = abs;
    if (IsRegularAbsoluteFile(abs)) {
        media.found = true;
        return media;
    }
    const std::string folder = SetFolder(setFilePath);
    if (!rel.empty() && !folder.empty()) {
        const std::string candidate = fromQString(QDir::cleanPath(toQString(folder) + u'/' + toQString(rel)));
        if (IsRegularAbsoluteFile(candidate)) {
            media.found = true;
            media.path = candidate;
            return media;
        }
        if (media.path.empty())
            media.path = candidate;
    }
    return media;
}

std::string WithQuestionMedia(const std::string& record, MediaKind kind, const std::string& absolutePath,
                              const std::string& setFilePath)
{
    const QuestionMediaFields& fields = QuestionMediaFieldsOf(kind);
    std::string out = SetTag(record, fields.rel, RelativeField(absolutePath, setFilePath));
    return SetTag(out, fields.abs, EncodeText(absolutePath));
}

std::string WithoutQuestionMedia(const std::string& record, MediaKind kind)
{
    const QuestionMediaFields& fields = QuestionMediaFieldsOf(kind);
    const std::string abs = GetTag(record, fields.abs);
    const std::string rel = GetTag(record, fields.rel);
    if ((abs.empty() || abs == "0") && (rel.empty() || rel == "0"))
        return record;
    const std::string out = SetTag(SetTag(record, fields.rel, "0"), fields.abs, "0");
    return kind == MediaKind::Picture ? RemoveTag(out, kQuestionPictureDescriptionField) : out;
}

std::string QuestionPictureDescription(const std::string& record)
{
    return DecodeText(GetTag(record, kQuestionPictureDescriptionField));
}

std::string WithQuestionPictureDescription(const std::string& record, const std::string& text)
{
    // An alt text is one line.
    return WithTypedLine(record, kQuestionPictureDescriptionField, text);
}

std::string WithMediaRelativeTo(const std::string& record, const std::string& fromSetPath,
                                const std::string& toSetPath)
{
    std::string out = record;
    for (const MediaKind kind : {MediaKind::Picture, MediaKind::Sound}) {
        const ResolvedMedia media = ResolveQuestionMedia(record, kind, fromSetPath);
        if (!media.found)
            continue;
        const QuestionMediaFields& fields = QuestionMediaFieldsOf(kind);
        if (GetTag(out, fields.abs) != EncodeText(media.path)
            || GetTag(out, fields.rel) != RelativeField(media.path, toSetPath))
            out = WithQuestionMedia(out, kind, media.path, toSetPath);
    }
    return out;
}

}  // namespace dorvel
