#include "storage/FileCopy.h"

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
    // Most copies are buttons and pictures of a few kilobytes; a buffer of
    // the size they need (and no alignment) spares an export of a hundred
    // small files a hundred large allocations.
    constexpr std::int64_t kSmallest = std::int64_t(64) << 10;
    std::int64_t expected = limit;
    if (expected < 0) {
        const std::int64_t size = SizeOf(src);
        const std::int64_t at = PositionOf(src);
        expected = size > 0 && at >= 0 ? std::max<std::int64_t>(0, size - at) : kBuffer;
    }
    const std::int64_t bufferSize = std::clamp(expected + 1, kSmallest, kBuffer);
    const std::unique_ptr<char[]> buffer(new char[static_cast<std::size_t>(bufferSize)]);
    const std::int64_t position = PositionOf(dst);
    std::int64_t lead = bufferSize == kBuffer && position > 0 ? (kBuffer - position % kBuffer) % kBuffer : 0;
    std::int64_t copied = 0;
    for (;;) {
        std::int64_t want = lead > 0 ? lead : bufferSize;
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
