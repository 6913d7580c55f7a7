#include "shell/ui/HandOffFile.h"

#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QFile>
#include <QLockFile>

namespace dorvel {

namespace {

// No second start writes more than a few paths; anything larger is not ours.
constexpr qint64 kMaxHandOffSize = 1 << 20;
constexpr int kLockWaitMs = 3000;

QString lockPath(const std::string& file)
{
    return toQString(file + ".lock");
}

}  // namespace

std::string HandOffFilePath()
{
    return HandOverFolder() + "filespec.pab";
}

bool AppendHandOff(const std::string& file, const std::string& p1, const std::string& p2)
{
    QLockFile lock(lockPath(file));
    if (!lock.tryLock(kLockWaitMs))
        return false;
    QFile out(toQString(file));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const std::string pair = "<p1>" + p1 + "</p1><p2>" + p2 + "</p2>";
    const qint64 written = out.write(pair.data(), static_cast<qint64>(pair.size()));
    return written == static_cast<qint64>(pair.size()) && out.flush();
}

std::vector<HandOffPair> TakeHandOff(const std::string& file)
{
    std::vector<HandOffPair> pairs;
    if (!FileExists(file))
        return pairs;
    QLockFile lock(lockPath(file));
    if (!lock.tryLock(kLockWaitMs))
        return pairs;  // a writer is stuck; the file is read at the next wake
    std::string text;
    const bool small = FileSize(file) <= kMaxHandOffSize;
    const bool read = small && ReadFileBytes(file, text);
    DeleteFile(file);
    if (!read)
        return pairs;
    while (true) {
        const std::string p1 = GetTag(text, "p1");
        const std::string p2 = GetTag(text, "p2");
        if (p1.empty() && p2.empty())
            break;
        const std::string rest = RemoveTag(RemoveTag(text, "p1"), "p2");
        if (rest.size() >= text.size())
            break;  // nothing more could be taken out
        text = rest;
        pairs.push_back({p1, p2});
    }
    return pairs;
}

bool IsOpenSetRequest(const std::string& p1, const std::string& p2)
{
    return p1.size() > 9 && p2.size() > 4 && p1 == "openShellCall" && FileExists(p2) && LowerCase(ExtractFileExt(p2)) == ".vtd";
}

}  // namespace dorvel
