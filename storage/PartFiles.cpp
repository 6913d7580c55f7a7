#include "storage/PartFiles.h"

#include "storage/FileUtils.h"

#include <QDir>
#include <QRandomGenerator>

#include <cstdio>

namespace dorvel {

namespace {

constexpr int kAttempts = 100;

bool isLowerHex(std::string_view text)
{
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

bool isAlnum(std::string_view text)
{
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    }
    return true;
}

}  // namespace

std::string NewPartPath(const std::string& target)
{
    const std::string native = NativeSeparators(target);
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%08x.part", QRandomGenerator::global()->generate());
    return ExtractFilePath(native) + "." + ExtractFileName(native) + "." + suffix;
}

bool IsPartOf(std::string_view entry, std::string_view targetName)
{
    static constexpr std::string_view kEnd = ".part";
    if (targetName.empty() || entry.size() < 2 + targetName.size() || entry[0] != '.'
        || entry.substr(1, targetName.size()) != targetName || entry[1 + targetName.size()] != '.')
        return false;
    std::string_view rest = entry.substr(2 + targetName.size());
    if (rest.size() < 8 + kEnd.size() || !isLowerHex(rest.substr(0, 8)) || rest.substr(8, kEnd.size()) != kEnd)
        return false;
    rest.remove_prefix(8 + kEnd.size());
    return rest.empty() || (rest.size() == 7 && rest[0] == '.' && isAlnum(rest.substr(1)));
}

void RemoveLeftoverParts(const std::string& target)
{
    const std::string native = NativeSeparators(target);
    const std::string folder = ExtractFilePath(native);
    const std::string name = ExtractFileName(native);
    const QDir dir(toQString(folder.empty() ? std::string(".") : folder));
    for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const std::string found = fromQString(entry);
        if (IsPartOf(found, name))
            RemoveTree(folder + found);
    }
}

PartFile::PartFile(const std::string& target)
    : m_target(NativeSeparators(target))
{
    for (int attempt = 0; attempt < kAttempts && !m_fd.valid(); ++attempt) {
        m_path = NewPartPath(m_target);
        m_fd = CreateNewFile(m_path);
        if (!m_fd.valid() && FileExists(m_path))
            continue;  // taken: draw another name
        break;
    }
    if (m_fd.valid())
        m_created = true;
    else
        m_error = LastErrorText();
}

PartFile::~PartFile()
{
    if (m_created && !m_committed) {
        m_fd.reset();
        RemoveEntry(m_path);
    }
}

bool PartFile::commit()
{
    if (!SyncFile(m_fd.get()) || !m_fd.reset() || !ReplaceFile(m_path, m_target)) {
        m_error = LastErrorText();
        return false;
    }
    m_committed = true;
    return true;
}

PartFolder::PartFolder(const std::string& target)
{
    for (int attempt = 0; attempt < kAttempts && !m_created; ++attempt) {
        m_path = NewPartPath(target);
        m_created = CreateNewFolder(m_path);
        if (!m_created && !FileExists(m_path) && !DirectoryExists(m_path))
            break;
    }
    if (!m_created)
        m_error = LastErrorText();
}

PartFolder::~PartFolder()
{
    if (m_created)
        RemoveTree(m_path);
}

}  // namespace dorvel
