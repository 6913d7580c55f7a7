#include "storage/WriteAll.h"

#include <QFileDevice>

namespace dorvel {

bool WriteAll(QFileDevice& file, std::string_view bytes)
{
    // A write that fills the disk part of the way returns the bytes it got
    // down and leaves the error unset; writing the rest meets the full disk
    // at its first byte, and that failure sets the error with its reason.
    std::size_t done = 0;
    while (done < bytes.size()) {
        const qint64 wrote = file.write(bytes.data() + done, static_cast<qint64>(bytes.size() - done));
        if (wrote <= 0 || file.error() != QFileDevice::NoError)
            return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

}  // namespace dorvel
