#include "app/program/settingspath.h"

#include "platform/paths.h"
#include "platform/resourcefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString besideExecutable(const QString &executableFolder, const QString &baseName)
{
    return QDir(executableFolder).filePath(baseName + QStringLiteral(".dat"));
}

// The settings file is written through a temporary file beside it. An installed program keeps
// out of the folder of programs even where it could write there (as root).
bool usesConfigurationFolder(const QString &executableFolder, const QString &baseName,
                             const QString &configurationFolder)
{
    return (!QFileInfo(executableFolder).isWritable() ||
            platform::isInstalledProgram(executableFolder, baseName)) &&
           !configurationFolder.isEmpty();
}

} // namespace

QString settingsFileLocation(const QString &executableFolder, const QString &baseName,
                             const QString &configurationFolder)
{
    if (!usesConfigurationFolder(executableFolder, baseName, configurationFolder))
        return platform::fromNativePath(
            QDir::toNativeSeparators(besideExecutable(executableFolder, baseName)));
    return platform::fromNativePath(QDir::toNativeSeparators(
        QDir(configurationFolder).filePath(baseName + QStringLiteral(".dat"))));
}

QString settingsFilePath(const QString &executableFolder, const QString &baseName,
                         const QString &configurationFolder)
{
    const QString location = settingsFileLocation(executableFolder, baseName, configurationFolder);
    if (!usesConfigurationFolder(executableFolder, baseName, configurationFolder))
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
