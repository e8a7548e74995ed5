#include "app/commandline.h"

#include "platform/paths.h"

#include <QDir>

QString commandLinePath(const QStringList &arguments, const QString &workingFolder)
{
    const QString text = arguments.mid(1).join(u' ').trimmed();
    if (text.isEmpty())
        return QString();
    QString path =
        QDir::cleanPath(QDir(workingFolder).absoluteFilePath(QDir::fromNativeSeparators(text)));
    for (QChar &c : path) {
        if (c != u'/' && platform::hasUnstorableCharacter(QStringView(&c, 1)))
            c = u'?';
    }
    return platform::fromNativePath(QDir::toNativeSeparators(path));
}
