#include "platform/shellregistration.h"

#include "platform/desktopentry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace platform {

namespace {

constexpr qint64 templateSizeLimit = 64 * 1024;

QByteArray readBounded(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(limit);
}

// One Exec argument: quoted, with the characters the quoting reserves escaped, then with the
// escapes of the entry's string values; "%" is doubled as field codes use it.
QString execArgument(const QString &path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'%', QStringLiteral("%%"));
    QString argument = u'"' + quoted + u'"';
    return argument.replace(u'\\', QStringLiteral("\\\\"));
}

bool isBuildTree(const QDir &programFolder)
{
    return programFolder.exists(QStringLiteral("CMakeCache.txt"));
}

// The desktop reads entries from the share folder of its data path, the installed prefixes'
// among them.
bool isOnDataPath(const QString &shareFolder)
{
    const QString wanted = QFileInfo(shareFolder).canonicalFilePath();
    const QStringList dataFolders =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    return !wanted.isEmpty() &&
           std::any_of(dataFolders.begin(), dataFolders.end(), [&wanted](const QString &folder) {
               return QFileInfo(folder).canonicalFilePath() == wanted;
           });
}

QString userEntryPath(const QString &desktopFileName)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("applications/") + desktopFileName);
}

// An entry of the program that the desktop reads from a system folder, not the user's own.
bool hasSystemEntry(const QString &desktopFileName)
{
    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QStringList dataFolders =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    return std::any_of(dataFolders.begin(), dataFolders.end(), [&](const QString &folder) {
        return folder != userFolder &&
               QFileInfo(QDir(folder).filePath(QStringLiteral("applications/") + desktopFileName))
                   .isFile();
    });
}

// A user entry that a deleted copy left behind hides the installed program from the menus.
void removeDeadUserEntry(const QString &desktopFileName)
{
    const QString path = userEntryPath(desktopFileName);
    const QString tryExec = parseDesktopEntry(readBounded(path, templateSizeLimit)).tryExec;
    if (!tryExec.isEmpty() && QDir::isAbsolutePath(tryExec) && !QFileInfo::exists(tryExec))
        QFile::remove(path);
}

} // namespace

QString desktopEntryFor(const QString &templateText, const QString &programPath)
{
    QStringList lines;
    for (const QString &line : templateText.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QStringLiteral("TryExec=")))
            continue;
        if (trimmed.startsWith(QStringLiteral("Exec="))) {
            lines.append(QStringLiteral("Exec=") + execArgument(programPath) +
                         QStringLiteral(" %f"));
            lines.append(QStringLiteral("TryExec=") +
                         QString(programPath).replace(u'\\', QStringLiteral("\\\\")));
            continue;
        }
        lines.append(line);
    }
    return lines.join(u'\n');
}

void registerWithShell(const QString &programPath, const QString &desktopFileName)
{
    const QDir programFolder = QFileInfo(programPath).absoluteDir();
    if (isBuildTree(programFolder))
        return;
    const QString shareFolder = QDir::cleanPath(programFolder.filePath(QStringLiteral("../share")));
    const QString installedEntry = shareFolder + QStringLiteral("/applications/") + desktopFileName;
    const bool installed = QFileInfo(installedEntry).isFile();
    if (installed && isOnDataPath(shareFolder)) {
        removeDeadUserEntry(desktopFileName);
        return;
    }
    // A portable copy leaves an installed program's entry alone.
    if (!installed && hasSystemEntry(desktopFileName))
        return;
    const QString templatePath =
        installed ? installedEntry : programFolder.filePath(desktopFileName);
    const QString templateText = QString::fromUtf8(readBounded(templatePath, templateSizeLimit));
    if (templateText.isEmpty())
        return;
    const QByteArray entry = desktopEntryFor(templateText, programPath).toUtf8();
    const QString target = userEntryPath(desktopFileName);
    if (readBounded(target, templateSizeLimit + 1) == entry)
        return;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QSaveFile file(target);
    if (file.open(QIODevice::WriteOnly) && file.write(entry) == entry.size())
        file.commit();
}

} // namespace platform
