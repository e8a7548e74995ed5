#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace platform {

// The shell's media duration of the file, in 100-nanosecond units; nullopt when the system has
// no such service or it gives no answer for the file.
std::optional<qint64> shellDurationUnits(const QString &internalPath);

} // namespace platform
