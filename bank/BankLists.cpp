#include "bank/BankLists.h"

#include "bank/ExportLists.h"
#include "platform/SystemFiles.h"
#include "platform/UserInterface.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QDir>

#include <algorithm>
#include <span>

namespace dorvel {

namespace {

// A media reference: the absolute field and the relative field beside it.
struct MediaRef {
    const char* abs;
    const char* rel;
};

constexpr MediaRef kQuestionRefs[] = {
    {"tickFileAbs", "tickFileRel"},
    {"crossFileAbs", "crossFileRel"},
    {"questionAudioAbs", "questionAudioRel"},
};
constexpr MediaRef kBackgroundRefs[] = {
    {"bgFilePathAbs", "bgFilePathRel"},
};
constexpr MediaRef kPictureRefs[] = {
    {"picFilePathAbs", "picFilePathRel"},
    {"picOverFilePathAbs", "picOverFilePathRel"},
    {"picDownFilePathAbs", "picDownFilePathRel"},
    {"picAudioAbs", "picAudioRel"},
};
constexpr MediaRef kTrueFalseButtonRefs[] = {
    {"tf1", "tf1r"},
    {"tf2", "tf2r"},
    {"tf3", "tf3r"},
    {"tf4", "tf4r"},
    {"tf5", "tf5r"},
    {"tf6", "tf6r"},
    {"tf7", "tf7r"},
    {"ButtonSound2", "ButtonSound2Rel"},
    {"ButtonSound3", "ButtonSound3Rel"},
};
constexpr MediaRef kChoiceButtonRefs[] = {
    {"s1", "s1r"},
    {"s2", "s2r"},
    {"s3", "s3r"},
    {"ButtonSound1", "ButtonSound1Rel"},
};
constexpr MediaRef kDragRefs[] = {
    {"dragFilePathAbs", "dragFilePathRel"},
    {"dragOverFilePathAbs", "dragOverFilePathRel"},
    {"dragDownFilePathAbs", "dragDownFilePathRel"},
};
constexpr MediaRef kFeedbackRefs[] = {
    {"FeedbackAudioAbs", "FeedbackAudioRel"},
};
constexpr MediaRef kVideoRefs[] = {
    {"videoFilePathAbs", "videoFilePathRel"},
};

// An absolute path may come from another machine ("C:\Pics\a.gif"): on this
// one it only counts when it is absolute here, never relative to whatever the
// working folder happens to be. A medium is a regular file: a device or FIFO
// named as a picture counts as missing.
bool IsMediaFile(const std::string& path)
{
    return OpenRegularFile(path).valid();
}

bool AbsoluteFileExists(const std::string& nativePath)
{
    return QDir::isAbsolutePath(toQString(nativePath)) && IsMediaFile(nativePath);
}

class MediaResolver {
public:
    MediaResolver(ExportLists& lists, const std::string& baseFolder)
        : m_lists(lists)
        , m_baseFolder(baseFolder)
    {
    }

    // Resolves every reference in `element`; true when a path in it was
    // rewritten.
    bool resolveAll(std::string& element, std::span<const MediaRef> refs)
    {
        bool changed = false;
        for (const MediaRef& ref : refs)
            changed = resolve(element, ref) || changed;
        return changed;
    }

private:
    bool resolve(std::string& element, const MediaRef& ref)
    {
        const std::string abs = GetTag(element, ref.abs);
        if (abs == "0")
            return false;
        const std::string rel = GetTag(element, ref.rel);
        // Neither field set: the element has no file of this kind. Trying
        // the bare template folder would only report the folder as missing.
        if (abs.empty() && rel.empty())
            return false;
        const std::string nativeAbs = NativeSeparators(abs);
        if (!abs.empty() && AbsoluteFileExists(nativeAbs)) {
            AddMediaFile(m_lists, true, nativeAbs);
            if (nativeAbs == abs)
                return false;
            // The header names the file by this path; the question must too.
            element = SetTag(element, ref.abs, nativeAbs);
            return true;
        }
        const std::string candidate = NativeSeparators(m_baseFolder + rel);
        if (IsMediaFile(candidate)) {
            element = SetTag(element, ref.abs, candidate);
            AddMediaFile(m_lists, true, candidate);
            return true;
        }
        AddMediaFile(m_lists, false, candidate);
        return false;
    }

    ExportLists& m_lists;
    const std::string& m_baseFolder;
};

// Moves every record of `kind` to the end of the question, in their order,
// each passed through `visit` on the way. Records too short to hold a field
// are dropped.
template <typename Visit>
void CollectRecords(std::string& q, std::string_view kind, Visit visit)
{
    const std::string open = "<" + std::string(kind) + ">";
    const std::string close = "</" + std::string(kind) + ">";
    std::string acc;
    for (std::string r = GetTag(q, kind); !r.empty(); r = GetTag(q, kind)) {
        if (r.size() >= 3) {
            visit(r);
            acc += open;
            acc += r;
            acc += close;
        }
        q = RemoveTag(q, kind);
    }
    q = RemoveTag(q, kind);
    q += acc;
}

std::string ExpandQuestionMedia(std::string q, MediaResolver& resolver, const std::string& buttonFolder)
{
    resolver.resolveAll(q, kQuestionRefs);

    std::string background = GetTag(q, "vtBackground");
    if (resolver.resolveAll(background, kBackgroundRefs))
        q = SetTag(q, "vtBackground", background);

    CollectRecords(q, "vtPicture", [&](std::string& r) { resolver.resolveAll(r, kPictureRefs); });
    CollectRecords(q, "vtButton", [&](std::string& r) {
        r = SetTag(r, "exeButtonPath", buttonFolder);
        if (GetTagInt(r, "buttonType", 0) != 0)
            resolver.resolveAll(r, kTrueFalseButtonRefs);
        else
            resolver.resolveAll(r, kChoiceButtonRefs);
    });
    CollectRecords(q, "vtDrag", [&](std::string& r) { resolver.resolveAll(r, kDragRefs); });
    CollectRecords(q, "vtFeedback", [&](std::string& r) { resolver.resolveAll(r, kFeedbackRefs); });
    CollectRecords(q, "vtVideo", [&](std::string& r) { resolver.resolveAll(r, kVideoRefs); });

    return SetTag(q, "exeBase", buttonFolder);
}

void AddNumberedRecord(std::string& list, int n, const std::string& q)
{
    const std::string name = "questionFile" + std::to_string(n);
    list += "<" + name + ">";
    list += q;
    list += "</" + name + ">\r\n";
}

}  // namespace

void AddMediaFile(ExportLists& lists, bool exists, const std::string& path)
{
    if (path.size() < 2)
        return;
    std::vector<std::string>& list = exists ? lists.foundFiles : lists.missingFiles;
    if (list.size() >= ExportLists::kMaxFiles)
        return;
    if (std::find(list.begin(), list.end(), path) != list.end())
        return;
    list.push_back(path);
    if (exists) {
        lists.startOffsets.push_back(-1);
        lists.endOffsets.push_back(-1);
    }
}

std::string StripBackslashes(std::string_view path)
{
    std::string out;
    out.reserve(path.size());
    for (char c : path)
        if (c != '\\')
            out += c;
    return out;
}

std::string BuildBankLists(ExportLists& lists, UserInterface& ui, std::string_view questionsText,
                           std::string_view preTestText, const std::string& baseFolder)
{
    constexpr int kMaxQuestionsPerPass = 500;
    constexpr int kProgressSteps = 70;

    lists.clear();
    const std::string buttonFolder = ButtonsFolder();
    const std::string tick = buttonFolder + "tick.gif";
    const std::string cross = buttonFolder + "cross.gif";
    MediaResolver resolver(lists, baseFolder);

    struct Pass {
        std::string text;
        std::string* list;
    };
    Pass passes[] = {
        {std::string(preTestText), &lists.preTestFileList},
        {std::string(questionsText), &lists.questionFileList},
    };
    for (Pass& pass : passes) {
        for (int n = 0; n < kMaxQuestionsPerPass; ++n) {
            const std::string q = GetTag(pass.text, "vtQuestion");
            pass.text = RemoveTag(pass.text, "vtQuestion");
            if (q.empty())
                break;
            if (n < kProgressSteps)
                ui.progressAdvance(1);
            AddMediaFile(lists, IsMediaFile(tick), tick);
            AddMediaFile(lists, IsMediaFile(cross), cross);
            AddNumberedRecord(*pass.list, n, ExpandQuestionMedia(q, resolver, buttonFolder));
        }
    }

    return MissingFilesStatus(lists);
}

std::string MissingFilesStatus(const ExportLists& lists)
{
    std::string missing;
    for (const std::string& path : lists.missingFiles)
        missing += path + "\r\n";
    return missing.size() >= 3 ? "mf" + missing : std::string("0");
}

}  // namespace dorvel
