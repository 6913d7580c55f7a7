#include "editor/QuestionMediaEditing.h"

#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "languages/MediaMessages.h"
#include "media/QuestionMedia.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"

#include <QFileInfo>

namespace dorvel {

namespace {

const std::string* CurrentRecord(Workspace& workspace)
{
    const OpenSet* set = workspace.current();
    const int n = workspace.currentQuestion();
    if (!set || n < 1 || n > kMaxQuestions)
        return nullptr;
    const std::string& q = set->questionSlots[static_cast<std::size_t>(n)];
    return q.empty() ? nullptr : &q;
}

}  // namespace

bool TakeQuestionMedia(Workspace& workspace, UserInterface& ui, const LangStrings& lang, MediaKind kind,
                       const std::string& path)
{
    const std::string* record = CurrentRecord(workspace);
    if (!record)
        return false;
    // Named by its absolute path, so that the set finds it from anywhere.
    const std::string absolute = fromQString(QFileInfo(toQString(path)).absoluteFilePath());
    const MediaCheck check = CheckQuestionMedia(absolute, kind);
    if (!check.ok()) {
        ui.showMessage(MediaRefusedText(absolute, check.verdict, kind, lang), Tone::Warning);
        return false;
    }
    return workspace.questionRecordChange(WithQuestionMedia(*record, kind, absolute, workspace.current()->filePath));
}

bool ChooseQuestionMedia(Workspace& workspace, UserInterface& ui, const LangStrings& lang, MediaKind kind)
{
    if (!CurrentRecord(workspace))
        return false;
    const bool picture = kind == MediaKind::Picture;
    FileDialog dialog;
    dialog.title = lang.at(picture ? MediaText::ChoosePicture : MediaText::ChooseSound);
    dialog.filter = lang.at(picture ? MediaText::Pictures : MediaText::Sounds) + "|" + MediaFilePatterns(kind);
    const std::string named = NamedQuestionMedia(*CurrentRecord(workspace), kind);
    dialog.folder = !named.empty() ? ExtractFilePath(named) : workspace.lastDir();
    const std::vector<std::string> chosen = ui.chooseOpenFiles(dialog);
    if (chosen.empty())
        return false;
    return TakeQuestionMedia(workspace, ui, lang, kind, chosen.front());
}

bool DropQuestionMedia(Workspace& workspace, UserInterface& ui, const LangStrings& lang,
                       const std::vector<std::string>& paths)
{
    if (paths.empty() || !CurrentRecord(workspace))
        return false;
    const std::string& path = paths.front();
    MediaKind kind = MediaKind::Picture;
    if (!MediaKindOfExtension(LowerCase(ExtractFileExt(path)), kind)) {
        ui.showMessage(MediaRefusedText(path, MediaVerdict::UnknownKind, MediaKind::Picture, lang), Tone::Warning);
        return false;
    }
    return TakeQuestionMedia(workspace, ui, lang, kind, path);
}

bool RemoveQuestionMedia(Workspace& workspace, MediaKind kind)
{
    const std::string* record = CurrentRecord(workspace);
    if (!record)
        return false;
    return workspace.questionRecordChange(WithoutQuestionMedia(*record, kind));
}

bool DescribeQuestionPicture(Workspace& workspace, const std::string& text)
{
    const std::string* record = CurrentRecord(workspace);
    if (!record || NamedQuestionMedia(*record, MediaKind::Picture).empty())
        return false;
    return workspace.questionRecordChange(WithQuestionPictureDescription(*record, text),
                                          kQuestionPictureDescriptionField);
}

std::string CurrentQuestionMedia(Workspace& workspace, MediaKind kind)
{
    const std::string* record = CurrentRecord(workspace);
    if (!record)
        return {};
    const ResolvedMedia media = ResolveQuestionMedia(*record, kind, workspace.current()->filePath);
    return media.found ? media.path : std::string();
}

}  // namespace dorvel
