#include "media/MediaCheck.h"
#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

namespace dorvel {

bool WriteStoredFile(const std::string& path, std::string_view text, std::string* error)
{
    const int kind = StoredFileKind(path);
    if (kind < 0)
        return WriteFileBytes(path, text, error);
    return WriteFileBytes(path, ScrambleText(text, kind), error);
}

std::string ReadStoredFile(const std::string& path)
{
    std::string error;
    return ReadStoredFile(path, error);
}

std::string ReadStoredFile(const std::string& path, std::string& error)
{
    // Opened without waiting and checked before a byte is read: /dev/zero or
    // a huge file would otherwise be read until memory runs out, and a FIFO
    // would hang.
    error.clear();
    const Fd fd = OpenRegularFile(NativeSeparators(path));
    if (!fd.valid()) {
        error = LastErrorText();
        return {};
    }
    const std::int64_t size = SizeOf(fd.get());
    if (size < 0 || size > kMaxStoredFileSize) {
        error = size < 0 ? LastErrorText() : "larger than " + std::to_string(kMaxStoredFileSize >> 20) + " MB";
        return {};
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::int64_t n = ReadSome(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            error = LastErrorText();
            return {};
        }
        if (n == 0)
            break;  // shorter than it was a moment ago
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    const auto zero = bytes.find('\0');
    if (zero != std::string::npos)
        bytes.resize(zero);
    const int kind = StoredFileKind(path);
    if (kind < 0)
        return bytes;
    return UnscrambleText(bytes, kind);
}

bool CheckMediaFile(const std::string& path)
{
    // A file that cannot be opened passes, as the test was defined; a device
    // or FIFO is no picture or sound, and is never read.
    if (!OpenForReading(NativeSeparators(path)).valid())
        return true;
    const Fd fd = OpenRegularFile(NativeSeparators(path));
    if (!fd.valid())
        return false;
    // Enough for an SVG's first element after its declaration and comments.
    std::string head(4096, '\0');
    std::size_t got = 0;
    while (got < head.size()) {
        const std::int64_t n = ReadSome(fd.get(), head.data() + got, head.size() - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    head.resize(got);
    const std::string ext = LowerCase(ExtractFileExt(path));
    // The kinds browsers show and play are known by their real signatures:
    // the sums below refused every camera's JPEG (an Exif block, not JFIF)
    // and every MP3 that starts with an ID3 tag.
    MediaKind kind;
    if (MediaKindOfExtension(ext, kind))
        return HasMediaSignature(ext, head);
    // Sums of signed bytes, as the signature test was defined; a short file
    // counts its missing bytes as zero.
    int s2 = 0;
    int s4 = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const int b = i < head.size() ? static_cast<signed char>(head[i]) : 0;
        if (i < 2)
            s2 += b;
        s4 += b;
    }
    if (ext == ".bmp")
        return s2 == 143;
    if (ext == ".avi")
        return s4 == 294 || s4 == 295;
    if (ext == ".aif")
        return s4 == 308;
    return true;
}

}  // namespace dorvel
