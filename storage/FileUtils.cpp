#include "storage/FileUtils.h"

#include "platform/SystemFiles.h"
#include "storage/ScratchFiles.h"
#include "storage/WriteAll.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dorvel {

QString toQString(const std::string& path)
{
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

std::string fromQString(const QString& path)
{
    return path.toUtf8().toStdString();
}

bool FileExists(const std::string& path)
{
    if (path.empty())
        return false;
    const QFileInfo info(toQString(NativeSeparators(path)));
    return info.exists() && !info.isDir();
}

bool DirectoryExists(const std::string& path)
{
    if (path.empty())
        return false;
    return QFileInfo(toQString(NativeSeparators(path))).isDir();
}

bool ForceDirectory(const std::string& path)
{
    if (path.empty())
        return false;
    return QDir().mkpath(toQString(NativeSeparators(path)));
}

bool DeleteFile(const std::string& path)
{
    return QFile::remove(toQString(NativeSeparators(path)));
}

std::int64_t FileSize(const std::string& path)
{
    const QFileInfo info(toQString(NativeSeparators(path)));
    if (!info.exists() || info.isDir())
        return -1;
    return info.size();
}

namespace {
std::size_t lastSeparator(std::string_view path)
{
    return path.find_last_of("/\\");
}
}  // namespace

std::string ExtractFileName(std::string_view path)
{
    const auto s = lastSeparator(path);
    return std::string(s == std::string_view::npos ? path : path.substr(s + 1));
}

std::string ExtractFilePath(std::string_view path)
{
    const auto s = lastSeparator(path);
    return s == std::string_view::npos ? std::string() : std::string(path.substr(0, s + 1));
}

std::string ExtractFileExt(std::string_view path)
{
    const std::string name = ExtractFileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(std::string_view path, std::string_view ext)
{
    const std::string current = ExtractFileExt(path);
    std::string out(path.substr(0, path.size() - current.size()));
    out += ext;
    return out;
}

std::string LowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string WithSeparator(std::string_view folder)
{
    std::string out(folder);
    if (out.empty() || (out.back() != '/' && out.back() != '\\'))
        out += '/';
    return out;
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    std::string out = WithSeparator(folder);
    while (!name.empty() && (name.front() == '/' || name.front() == '\\'))
        name.remove_prefix(1);
    out += name;
    return out;
}

std::string NativeSeparators(std::string_view path)
{
    std::string out(path);
#ifndef _WIN32
    for (char& c : out)
        if (c == '\\')
            c = '/';
#endif
    return out;
}

bool ReadFileBytes(const std::string& path, std::string& out)
{
    QFile file(toQString(NativeSeparators(path)));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    out.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return file.error() == QFileDevice::NoError;
}

namespace {

bool replaceFile(const std::string& path, std::string_view bytes, std::string* error, bool sync)
{
    // Unbuffered, so that every write reports a full disk itself: Qt 6.4's
    // commit() does not notice a buffered flush that failed, and would put a
    // cut file in place of the old one. The data is on the disk before the
    // rename, so a crash leaves the old file or the new one, never a hole.
    QSaveFile file(toQString(NativeSeparators(path)));
    const auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(fromQString(file.errorString()));
    if (!WriteAll(file, bytes))
        return fail(fromQString(file.errorString()));
    if (sync && !SyncFile(file.handle()))
        return fail(LastErrorText());
    if (!file.commit())
        return fail(fromQString(file.errorString()));
    return true;
}

}  // namespace

bool WriteFileBytes(const std::string& path, std::string_view bytes, std::string* error)
{
    return replaceFile(path, bytes, error, true);
}

bool WriteScratchFileBytes(const std::string& path, std::string_view bytes, std::string* error)
{
    return replaceFile(path, bytes, error, false);
}

std::vector<std::string> ListFolders(const std::string& folder)
{
    std::vector<std::string> out;
    const QDir dir(toQString(NativeSeparators(folder)));
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        out.push_back(fromQString(name));
    return out;
}

std::vector<std::string> ListFiles(const std::string& folder)
{
    std::vector<std::string> out;
    const QDir dir(toQString(NativeSeparators(folder)));
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        out.push_back(fromQString(name));
    return out;
}

std::string IntToStr(long long value)
{
    return std::to_string(value);
}

}  // namespace dorvel
