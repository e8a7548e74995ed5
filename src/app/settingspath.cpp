#include "app/settingspath.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString besideExecutable(const QString &executableFolder, const QString &baseName)
{
    return QDir(executableFolder).filePath(baseName + QStringLiteral(".dat"));
}

bool usesConfigurationFolder(const QString &executableFolder, const QString &configurationFolder)
{
    // The settings file is written through a temporary file beside it.
    return !QFileInfo(executableFolder).isWritable() && !configurationFolder.isEmpty();
}

} // namespace

QString settingsFileLocation(const QString &executableFolder, const QString &baseName,
                             const QString &configurationFolder)
{
    if (!usesConfigurationFolder(executableFolder, configurationFolder))
        return platform::fromNativePath(
            QDir::toNativeSeparators(besideExecutable(executableFolder, baseName)));
    return platform::fromNativePath(QDir::toNativeSeparators(
        QDir(configurationFolder).filePath(baseName + QStringLiteral(".dat"))));
}

QString settingsFilePath(const QString &executableFolder, const QString &baseName,
                         const QString &configurationFolder)
{
    const QString location = settingsFileLocation(executableFolder, baseName, configurationFolder);
    if (!usesConfigurationFolder(executableFolder, configurationFolder))
        return location;
    QDir().mkpath(configurationFolder);
    const QString inConfiguration = QDir::fromNativeSeparators(platform::toNativePath(location));
    const QString beside = besideExecutable(executableFolder, baseName);
    if (!QFile::exists(inConfiguration) && QFile::exists(beside)) {
        QFile::copy(beside, inConfiguration);
        // A copy of a read-only file is read-only too; this one is the program's own.
        QFile(inConfiguration)
            .setPermissions(QFile::permissions(inConfiguration) | QFile::WriteOwner);
    }
    return location;
}
