#include "editor/recovery/RecoveryCopies.h"

#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>

namespace dorvel {

RecoveryCopies::RecoveryCopies(std::string folder)
    : m_folder(WithSeparator(std::move(folder)))
{
}

std::string RecoveryCopies::defaultFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return WithSeparator(JoinPath(JoinPath(fromQString(data), "Dorvel"), "Recovery"));
}

std::string RecoveryCopies::copyPath(const std::string& id) const
{
    return m_folder + id + ".vtd";
}

std::string RecoveryCopies::notePath(const std::string& id) const
{
    return m_folder + id + ".txt";
}

bool RecoveryCopies::write(const std::string& id, const OpenSet& set, std::time_t now, std::string* error)
{
    if (!ForceDirectory(m_folder)) {
        if (error)
            *error = "cannot make " + m_folder;
        return false;
    }
    OpenSet copy = set;  // writing puts the questions into the details
    const std::string text = PrepareSetFileText(copy, now);
    // The copy first: a note always stands beside a whole copy.
    return WriteStoredFile(copyPath(id), text, error)
        && WriteFileBytes(notePath(id), std::to_string(static_cast<long long>(now)) + "\n" + set.filePath, error);
}

void RecoveryCopies::remove(const std::string& id)
{
    DeleteFile(notePath(id));
    DeleteFile(copyPath(id));
}

std::vector<RecoveryCopy> RecoveryCopies::found() const
{
    std::vector<RecoveryCopy> copies;
    const QStringList notes = QDir(toQString(m_folder)).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString& note : notes) {
        RecoveryCopy c;
        c.id = fromQString(note.left(note.size() - 4));
        c.copyPath = copyPath(c.id);
        if (!FileExists(c.copyPath))
            continue;
        std::string text;
        if (!ReadFileBytes(notePath(c.id), text))
            continue;
        const std::size_t lineEnd = text.find('\n');
        try {
            c.written = static_cast<std::time_t>(std::stoll(text.substr(0, lineEnd)));
        } catch (...) {
            c.written = 0;
        }
        c.setPath = lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);
        copies.push_back(std::move(c));
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.written < b.written; });
    return copies;
}

}  // namespace dorvel
