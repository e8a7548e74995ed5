#include "platform/launch.h"

namespace platform {

QString fileArgument(const QString &nativePath)
{
    return nativePath.startsWith(u'-') ? QStringLiteral("./") + nativePath : nativePath;
}

} // namespace platform
