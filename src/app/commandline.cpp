#include "app/commandline.h"

#include "platform/paths.h"

#include <QDir>

QString commandLinePath(const QStringList &arguments, const QString &workingFolder)
{
    const QString text = arguments.mid(1).join(u' ').trimmed();
    if (text.isEmpty())
        return QString();
    return platform::internalPathFromQt(
        QDir::cleanPath(QDir(workingFolder).absoluteFilePath(QDir::fromNativeSeparators(text))));
}
