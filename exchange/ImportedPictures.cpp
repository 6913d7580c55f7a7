#include "exchange/ImportedPictures.h"

#include "exchange/MarkedText.h"
#include "exchange/Reasons.h"
#include "export/MediaNames.h"
#include "media/QuestionMedia.h"
#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/PartFiles.h"
#include "storage/WriteAll.h"

#include <QFile>
#include <QFileInfo>

#include <map>
#include <memory>
#include <set>

namespace dorvel::exchange {

namespace {

bool isReservedOnWindows(std::string stem)
{
    stem = LowerCase(stem);
    static const std::set<std::string> devices = {"con", "prn", "aux", "nul"};
    if (devices.count(stem))
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) && stem[3] >= '1'
        && stem[3] <= '9';
}

// Cuts `s` to at most `limit` bytes without splitting a UTF-8 character.
std::string cut(std::string s, std::size_t limit)
{
    if (s.size() <= limit)
        return s;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
        --end;
    s.resize(end);
    return s;
}

std::string safePart(std::string_view part)
{
    std::string out;
    for (const char c : part) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
            out += '_';
        else if (c == '.' && !out.empty() && out.back() == '.')
            continue;  // ".." never stands in a name
        else
            out += c;
    }
    // Windows drops dots and blanks at a name's end; a leading dot hides it.
    while (!out.empty() && (out.back() == '.' || out.back() == ' '))
        out.pop_back();
    while (!out.empty() && (out.front() == '.' || out.front() == ' '))
        out.erase(0, 1);
    return out;
}

constexpr std::size_t kPerSet = kMaxQuestions;

// Writes a file that must not be there yet: a name taken meanwhile, or a
// link put in its place, fails rather than be replaced or followed. (The
// pictures are copies of what the imported file holds, so they are not
// forced onto the disk one by one as a set is.)
bool writeNewFile(const std::string& path, std::string_view bytes, std::string& error)
{
    QFile file(toQString(NativeSeparators(path)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        error = fromQString(file.errorString());
        return false;
    }
    if (!WriteAll(file, bytes) || !file.flush()) {
        error = fromQString(file.errorString());
        file.remove();
        return false;
    }
    return true;
}

// Where each question's picture went: its question's index in `result`
// (among the sets given) and the file.
struct Placed {
    std::size_t question;
    std::string key;  // the picture's entry in the names
};

}  // namespace

std::string SafePictureName(std::string_view name)
{
    const std::size_t slash = name.find_last_of("/\\");
    const std::string last(slash == std::string_view::npos ? name : name.substr(slash + 1));
    const std::string ext = safePart(cut(LowerCase(ExtractFileExt(last)), 10));
    std::string stem = cut(safePart(last.substr(0, last.size() - ExtractFileExt(last).size())), 100);
    stem = safePart(stem);  // the cut may have left a dot or blank at the end
    if (stem.empty())
        stem = "picture";
    if (isReservedOnWindows(stem))
        stem = "_" + stem;
    return ext.empty() ? stem : stem + "." + ext;
}

std::string PictureFolderOf(const std::string& path)
{
    const QFileInfo info(toQString(path));
    return JoinPath(fromQString(info.absolutePath()), fromQString(info.completeBaseName()) + " media");
}

PlacedPictures PlaceImportedPictures(ImportResult& result, std::vector<OpenSet>& sets, const std::string& folder,
                                     const std::vector<std::string>& setPaths, const std::vector<QuestionPlace>& places)
{
    PlacedPictures placed;
    // Only the pictures of questions that are in a set are written.
    auto inASet = [&](std::size_t k) {
        if (k < places.size())
            return places[k].set >= 0 && static_cast<std::size_t>(places[k].set) < sets.size();
        return k < sets.size() * kPerSet;
    };
    std::vector<std::size_t> withPicture;
    for (std::size_t k = 0; k < result.questions.size(); ++k)
        if (!result.questions[k].picture.bytes.empty() && inASet(k))
            withPicture.push_back(k);
    if (withPicture.empty())
        return placed;
    // A link where the folder belongs would take the pictures elsewhere.
    if (IsSymbolicLink(NativeSeparators(folder))) {
        placed.error = folder + " (a symbolic link, not a folder)";
        return placed;
    }
    if (!ForceDirectory(folder)) {
        placed.error = folder;
        return placed;
    }

    // What the folder holds already keeps its name; a picture identical to
    // a file there is that file (importing the same file again adds nothing).
    std::vector<std::string> keys;
    std::multimap<std::int64_t, std::string> thereBySize;
    for (const std::string& name : ListFolders(folder))
        keys.push_back("there/" + name);
    for (const std::string& name : ListFiles(folder)) {
        keys.push_back("there/" + name);
        thereBySize.emplace(FileSize(JoinPath(folder, name)), name);
    }
    // The files there of a picture's size are read once each, for their
    // hashes; only a file whose hash matches is compared byte for byte.
    std::set<std::int64_t> hashedSizes;
    std::multimap<std::size_t, std::string> thereByHash;
    auto candidates = [&](std::string_view bytes) {
        const std::int64_t size = static_cast<std::int64_t>(bytes.size());
        if (hashedSizes.insert(size).second) {
            const auto [first, last] = thereBySize.equal_range(size);
            for (auto it = first; it != last; ++it) {
                std::string content;
                if (ReadFileBytes(JoinPath(folder, it->second), content))
                    thereByHash.emplace(std::hash<std::string>{}(content), it->second);
            }
        }
        return thereByHash.equal_range(std::hash<std::string_view>{}(bytes));
    };
    // Of the files there with the picture's bytes, the one of its name, then
    // one of its name numbered ("map-2.png"), then any.
    auto fileThere = [&](const std::string& name, std::string_view bytes) -> std::string {
        const std::string ext = LowerCase(ExtractFileExt(name));
        const std::string stem = LowerCase(name.substr(0, name.size() - ext.size())) + "-";
        std::string numbered;
        std::string any;
        const auto [first, last] = candidates(bytes);
        for (auto it = first; it != last; ++it) {
            std::string content;
            if (!ReadFileBytes(JoinPath(folder, it->second), content) || content != bytes)
                continue;
            const std::string there = LowerCase(it->second);
            if (it->second == name)
                return name;
            if (numbered.empty() && there.compare(0, stem.size(), stem) == 0 && ExtractFileExt(there) == ext)
                numbered = it->second;
            if (any.empty())
                any = it->second;
        }
        return numbered.empty() ? any : numbered;
    };
    // (name, bytes) -> key; the bytes stay in `result`, which lives longer.
    std::map<std::pair<std::string, std::string_view>, std::string> keyOf;
    std::vector<Placed> pictures;
    for (const std::size_t k : withPicture) {
        const Question& q = result.questions[k];
        const std::string name = SafePictureName(q.picture.name);
        if (!IsMediaExtension(MediaKind::Picture, LowerCase(ExtractFileExt(name)))) {
            result.leftOut.push_back({q.position, ShortLabel(q.name.empty() ? q.text : q.name), reason::kPictureRefused,
                                      q.picture.name, MediaVerdict::UnknownKind});
            continue;
        }
        const QuestionPicture& picture = q.picture;
        auto [entry, isNew] = keyOf.try_emplace({name, std::string_view(picture.bytes)});
        if (isNew) {
            const std::string same = fileThere(name, picture.bytes);
            entry->second = same.empty() ? "new" + std::to_string(keyOf.size()) + "/" + name : "there/" + same;
            keys.push_back(entry->second);
        }
        pictures.push_back({k, entry->second});
    }
    const MediaNames names(keys);

    // Every new file first, into a part folder beside the pictures' folder:
    // a folder that cannot take them all takes none, and a killed import
    // leaves no picture that no set names (the next import into the folder
    // removes the part folder).
    RemoveLeftoverParts(folder);
    auto part = std::make_shared<PartFolder>(folder);
    std::map<std::string, MediaVerdict> verdicts;  // key -> the check of its file
    std::vector<std::string> written;
    for (const auto& [content, key] : keyOf) {
        const bool isNew = key.compare(0, 6, "there/") != 0;
        if (isNew && !part->valid()) {
            placed.error = folder + " (" + part->error() + ")";
            return placed;
        }
        const std::string path = JoinPath(isNew ? part->path() : folder, names.nameOf(key));
        if (isNew) {
            std::string error;
            if (!writeNewFile(path, content.second, error)) {
                for (const std::string& w : written)
                    DeleteFile(w);
                placed.error = folder + (error.empty() ? "" : " (" + error + ")");
                return placed;
            }
            written.push_back(path);
        }
        verdicts[key] = CheckQuestionMedia(path, MediaKind::Picture).verdict;
        if (verdicts[key] != MediaVerdict::Ok && key.compare(0, 6, "there/") != 0) {
            DeleteFile(path);
            written.pop_back();
        }
    }
    placed.written = static_cast<int>(written.size());
    for (const std::string& w : written)
        placed.moves.emplace_back(w, JoinPath(folder, ExtractFileName(w)));
    placed.part = std::move(part);

    for (const Placed& p : pictures) {
        const Question& q = result.questions[p.question];
        const MediaVerdict verdict = verdicts[p.key];
        if (verdict != MediaVerdict::Ok) {
            result.leftOut.push_back({q.position, ShortLabel(q.name.empty() ? q.text : q.name),
                                      reason::kPictureRefused, q.picture.name, verdict});
            continue;
        }
        std::size_t set = p.question / kPerSet;
        std::size_t slot = p.question % kPerSet + 1;
        if (p.question < places.size()) {
            set = static_cast<std::size_t>(places[p.question].set);
            slot = static_cast<std::size_t>(places[p.question].number);
        }
        std::string& record = sets[set].questionSlots[slot];
        record = WithQuestionMedia(record, MediaKind::Picture, JoinPath(folder, names.nameOf(p.key)),
                                   set < setPaths.size() ? setPaths[set] : std::string());
        record = WithQuestionPictureDescription(record, q.picture.alt);
        ++placed.named;
    }
    return placed;
}

bool CommitImportedPictures(PlacedPictures& placed)
{
    for (const auto& [from, to] : placed.moves) {
        // The name was free when it was chosen; a file that took it since stays.
        if (FileExists(to) || IsSymbolicLink(NativeSeparators(to)) || !ReplaceFile(NativeSeparators(from), NativeSeparators(to))) {
            placed.error = ExtractFilePath(to) + " (" + to + ")";
            return false;
        }
    }
    placed.moves.clear();
    placed.part.reset();
    return true;
}

}  // namespace dorvel::exchange
