#pragma once

#include <QString>

namespace dorvel {

// The name of a local socket that belongs to this user: `base` and the user
// name, in the user's runtime folder (the temporary folder where there is
// none). Only this user can connect there.
QString UserSocketName(const QString& base);

}  // namespace dorvel
