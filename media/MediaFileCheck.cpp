#include "media/MediaFileCheck.h"

#include "media/MediaCheck.h"
#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <cstdint>

namespace dorvel {

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
    const std::string head = ReadFileHead(fd.get(), 4096);
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
