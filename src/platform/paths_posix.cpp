#include "platform/paths.h"

namespace platform {

QString toNativePath(const QString &internalPath)
{
    if (isAddress(internalPath))
        return internalPath;
    QString native = internalPath;
    return native.replace(u'\\', u'/');
}

QString fromNativePath(const QString &nativePath)
{
    if (isAddress(nativePath))
        return nativePath;
    QString internal = nativePath;
    return internal.replace(u'/', u'\\');
}

Qt::CaseSensitivity pathCaseSensitivity()
{
    return Qt::CaseSensitive;
}

bool hasUnstorableCharacter(QStringView nativeName)
{
    for (QChar c : nativeName) {
        if (c == u'\\' || c == undecipherableCharacter)
            return true;
    }
    return false;
}

} // namespace platform
