#include "platform/paths.h"

#include <QDir>

namespace platform {
namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isSchemeCharacter(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

} // namespace

bool isAbsolutePath(QStringView internalPath)
{
    if (internalPath.size() >= 2 && isAsciiLetter(internalPath[0]) && internalPath[1] == u':')
        return true;
    return internalPath.startsWith(u'\\') || isAddress(internalPath);
}

// A letter, then letters, digits, "+", "-" or ".", then "://".
bool isAddress(QStringView path)
{
    if (path.isEmpty() || !isAsciiLetter(path[0]))
        return false;
    qsizetype at = 1;
    while (at < path.size() && isSchemeCharacter(path[at]))
        ++at;
    return path.mid(at).startsWith(u"://");
}

QString internalPathFromQt(QString qtPath)
{
    for (QChar &c : qtPath) {
        if (c != u'/' && hasUnstorableCharacter(QStringView(&c, 1)))
            c = undecipherableCharacter;
    }
    return fromNativePath(QDir::toNativeSeparators(qtPath));
}

} // namespace platform
