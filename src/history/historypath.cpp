#include "history/historypath.h"

#include <QCryptographicHash>

namespace history {

namespace {

bool isKept(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
}

QString escapeOf(QChar c)
{
    if (isKept(c))
        return QString(c);
    if (c.unicode() < 0x80)
        return u'%' + QString::number(c.unicode(), 16).rightJustified(2, u'0');
    return QStringLiteral("%u") + QString::number(c.unicode(), 16).rightJustified(4, u'0');
}

QString hashOf(const QString &encoded)
{
    const QByteArray hash =
        QCryptographicHash::hash(encoded.toLatin1(), QCryptographicHash::Sha256).toHex();
    return QString::fromLatin1(hash.first(32));
}

} // namespace

QString encodedProfileName(const QString &profile)
{
    QString encoded;
    // The longest run of whole escapes that fits.
    qsizetype kept = 0;
    for (const QChar c : profile) {
        encoded += escapeOf(c);
        if (encoded.size() <= maxEncodedLength)
            kept = encoded.size();
    }
    if (encoded.size() <= maxEncodedLength)
        return encoded;
    return encoded.first(kept) + u'~' + hashOf(encoded);
}

QString historyFilePath(const QString &settingsFile, const QString &profile)
{
    const qsizetype nameBegin = settingsFile.lastIndexOf(u'\\') + 1;
    const qsizetype dot = settingsFile.lastIndexOf(u'.');
    const qsizetype nameEnd = dot > nameBegin ? dot : settingsFile.size();
    return settingsFile.first(nameEnd) + u'.' + encodedProfileName(profile) +
           QStringLiteral(".history");
}

} // namespace history
