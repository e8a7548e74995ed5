#include "platform/shellduration.h"

namespace platform {

// No media-property service is asked here: the header estimate stands alone.
std::optional<qint64> shellDurationUnits(const QString &)
{
    return std::nullopt;
}

} // namespace platform
