#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace dorvel {

// A PNG read row by row and made `size` (at most the file's own size) as it
// is read, so a picture is never held whole. Qt's reader holds the whole
// picture first when it has 16 bits per channel, and refuses one past its
// allocation limit (8000 x 8000 at 16 bits is 512 MB); a picture within the
// media limits prints all the same. Null for a file that is no PNG, an
// interlaced one (which cannot be read a row at a time), or a damaged one.
QImage ReadPngScaled(const QString& path, QSize size);

}  // namespace dorvel
