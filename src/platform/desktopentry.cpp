#include "platform/desktopentry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {

// Entries are a few kilobytes; anything much larger is not one.
constexpr qint64 entrySizeLimit = 256 * 1024;

// The value with the entry format's escapes undone (\s, \n, \t, \r, \\).
QString unescapedValue(QStringView value)
{
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const QChar next = value[++i];
        const qsizetype at = QStringView(u"sntr\\").indexOf(next);
        text += at >= 0 ? QStringView(u" \n\t\r\\")[at] : next;
    }
    return text;
}

} // namespace

DesktopEntry parseDesktopEntry(QByteArrayView text)
{
    DesktopEntry entry;
    bool inMainGroup = false;
    const QString lines = QString::fromUtf8(text);
    for (QStringView line : QStringView(lines).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inMainGroup || equals < 0)
            continue;
        const QStringView key = line.left(equals).trimmed();
        const QString value = unescapedValue(line.mid(equals + 1).trimmed());
        if (key == u"Name")
            entry.name = value;
        else if (key == u"Exec")
            entry.exec = value;
        else if (key == u"TryExec")
            entry.tryExec = value;
    }
    return entry;
}

DesktopEntry readDesktopEntry(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return parseDesktopEntry(file.read(entrySizeLimit));
}

QString execProgram(const QString &exec)
{
    const QStringList words = QProcess::splitCommand(exec);
    return words.value(0);
}

QStringList applicationFolders()
{
    QStringList folders;
    for (const QString &data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders.append(QDir(data).filePath(QStringLiteral("applications")));
    return folders;
}

QString findDesktopEntryFile(const QString &desktopId)
{
    if (desktopId.isEmpty() || desktopId.contains(u'/'))
        return QString();
    // An id "a-b.desktop" may also stand for the file "a/b.desktop".
    const QString nested = QString(desktopId).replace(u'-', u'/');
    for (const QString &folder : applicationFolders()) {
        for (const QString &name : {desktopId, nested}) {
            const QString path = QDir(folder).filePath(name);
            if (QFileInfo(path).isFile())
                return path;
        }
    }
    return QString();
}

QString resolveProgram(const QString &program)
{
    if (program.isEmpty())
        return QString();
    if (QDir::isAbsolutePath(program))
        return QFileInfo(program).isExecutable() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

} // namespace platform
