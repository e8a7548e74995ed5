#include "app/program/commandline.h"

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

namespace {

constexpr char openPrefix[] = "/o ";

} // namespace

QByteArray handOverCommand(const QString &path)
{
    if (path.isEmpty())
        return QByteArrayLiteral("/i");
    return openPrefix + path.toUtf8().toPercentEncoding();
}

QString handedOverPath(const QByteArray &command)
{
    if (!command.startsWith(openPrefix))
        return QString();
    const QString path = QString::fromUtf8(
        QByteArray::fromPercentEncoding(command.mid(qsizetype(sizeof openPrefix) - 1)));
    return platform::isAbsolutePath(path) && !platform::isAddress(path) ? path : QString();
}
