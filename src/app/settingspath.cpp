#include "app/settingspath.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace {

// A file can be made there: the settings file is written through a temporary file beside it.
bool canWriteInFolder(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".settings-probe-XXXXXX")));
    return probe.open();
}

} // namespace

QString settingsFilePath(const QString &executableFolder, const QString &baseName,
                         const QString &configurationFolder)
{
    const QString fileName = baseName + QStringLiteral(".dat");
    const QString besideExecutable = QDir(executableFolder).filePath(fileName);
    if (canWriteInFolder(executableFolder) || configurationFolder.isEmpty())
        return platform::fromNativePath(QDir::toNativeSeparators(besideExecutable));
    QDir().mkpath(configurationFolder);
    const QString inConfiguration = QDir(configurationFolder).filePath(fileName);
    if (!QFile::exists(inConfiguration) && QFile::exists(besideExecutable)) {
        QFile::copy(besideExecutable, inConfiguration);
        // A copy of a read-only file is read-only too; this one is the program's own.
        QFile(inConfiguration)
            .setPermissions(QFile::permissions(inConfiguration) | QFile::WriteOwner);
    }
    return platform::fromNativePath(QDir::toNativeSeparators(inConfiguration));
}
