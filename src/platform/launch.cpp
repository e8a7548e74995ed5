#include "platform/launch.h"

namespace platform {

QString quotedParameter(const QString &path)
{
    if (path.contains(u' ') && !path.startsWith(u'"'))
        return u'"' + path + u'"';
    return path;
}

} // namespace platform
