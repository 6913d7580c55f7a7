#include "export/FileCopy.h"

#include <algorithm>
#include <memory>

namespace dorvel {

std::int64_t CopyBytes(int src, int dst, std::int64_t limit)
{
    // Measured against cat on ext4: what costs is the page cache of the
    // destination, which takes large pages only for large writes that start
    // on a matching boundary. A bank's data starts behind its header, at an
    // odd offset, so a short first piece brings the writes into step; after
    // that every write is one whole, aligned buffer. (Kernel-side copying
    // cannot do that without also misaligning the source, and was slower.)
    constexpr std::int64_t kBuffer = std::int64_t(2) << 20;
    const std::unique_ptr<char[]> buffer(new char[kBuffer]);
    const std::int64_t position = PositionOf(dst);
    std::int64_t lead = position > 0 ? (kBuffer - position % kBuffer) % kBuffer : 0;
    std::int64_t copied = 0;
    for (;;) {
        std::int64_t want = lead > 0 ? lead : kBuffer;
        if (limit >= 0)
            want = std::min(want, limit - copied);
        if (want == 0)
            return copied;
        const std::int64_t n = ReadSome(src, buffer.get(), static_cast<std::size_t>(want));
        if (n < 0)
            return -1;
        if (n == 0)
            return copied;
        if (!WriteAll(dst, buffer.get(), static_cast<std::size_t>(n)))
            return -1;
        copied += n;
        lead = std::max<std::int64_t>(0, lead - n);
    }
}

}  // namespace dorvel
