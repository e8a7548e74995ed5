#include "platform/resourcefolder.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

bool holdsManual(const QString &folder, const QString &baseName)
{
    return QFileInfo(QDir(folder).filePath(baseName + QStringLiteral(".html"))).isFile();
}

QString installedFolder(const QString &programFolder, const QString &baseName)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/") + baseName);
}

} // namespace

QString resourceFolder(const QString &programFolder, const QString &baseName)
{
    return QDir::toNativeSeparators(isInstalledProgram(programFolder, baseName)
                                        ? installedFolder(programFolder, baseName)
                                        : QDir::cleanPath(programFolder));
}

bool isInstalledProgram(const QString &programFolder, const QString &baseName)
{
    return !holdsManual(programFolder, baseName) &&
           holdsManual(installedFolder(programFolder, baseName), baseName);
}

} // namespace platform
