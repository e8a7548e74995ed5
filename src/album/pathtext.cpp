#include "album/pathtext.h"

#include "platform/paths.h"

namespace album {

namespace {

constexpr QChar separator = u'\\';

// Text that does not end in "\" is cut after its last "\", or gets one appended when it has none.
QString baseFolder(QStringView base)
{
    if (base.endsWith(separator))
        return base.toString();
    const qsizetype last = base.lastIndexOf(separator);
    return last >= 0 ? base.left(last + 1).toString() : base.toString().append(separator);
}

// The folder above "folder\"; a root folder is its own parent.
QString parentFolder(const QString &folder)
{
    const QStringView bare = QStringView(folder).chopped(1);
    const qsizetype last = bare.lastIndexOf(separator);
    return last >= 0 ? bare.left(last + 1).toString() : folder;
}

QStringView withoutSurroundingQuotes(QStringView text)
{
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.sliced(1, text.size() - 2);
    return text;
}

} // namespace

QString folderOfPath(QStringView path)
{
    return path.left(path.lastIndexOf(separator) + 1).toString();
}

QString textBefore(QStringView text, QStringView delimiter, bool emptyIfMissing,
                   Qt::CaseSensitivity cs)
{
    if (delimiter.isEmpty())
        return text.toString();
    const qsizetype at = text.indexOf(delimiter, 0, cs);
    if (at < 0)
        return emptyIfMissing ? QString() : text.toString();
    return text.left(at).toString();
}

QString textAfterLast(QStringView text, QStringView delimiter, bool emptyIfMissing,
                      Qt::CaseSensitivity cs)
{
    if (delimiter.isEmpty())
        return text.toString();
    // From -1: Qt 6.4's default start for a view needle looks one unit past the view's end.
    const qsizetype at = text.lastIndexOf(delimiter, -1, cs);
    if (at < 0)
        return emptyIfMissing ? QString() : text.toString();
    return text.sliced(at + delimiter.size()).toString();
}

QString resolveRelativePath(QStringView path, QStringView base)
{
    QString folder = baseFolder(base);
    if (platform::isAbsolutePath(path))
        return path.toString();
    if (path.startsWith(u".\\"))
        return folder.append(path.sliced(2));
    while (path.startsWith(u"..\\")) {
        path = path.sliced(3);
        folder = parentFolder(folder);
    }
    return folder.append(path);
}

QString makeRelativePath(QStringView path, QStringView base)
{
    if (!platform::isAbsolutePath(path))
        return path.toString();
    QStringView folder = withoutSurroundingQuotes(base);
    if (folder.isEmpty())
        return path.toString();
    while (folder.endsWith(separator))
        folder.chop(1);
    const QString prefix = folder.toString().append(separator);
    if (!path.startsWith(prefix, platform::pathCaseSensitivity()))
        return path.toString();
    return path.sliced(prefix.size()).toString();
}

} // namespace album
