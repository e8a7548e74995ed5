#include "album/albumopener.h"

#include "album/playlistwriter.h"

#include "album/markuptext.h"
#include "album/pathtext.h"
#include "album/textfile.h"
#include "platform/codepage.h"
#include "platform/fileattributes.h"
#include "platform/filebytes.h"
#include "platform/paths.h"

#include <QDir>

namespace album {

namespace {

constexpr QChar separator = u'\\';

QString withSeparator(const QString &folder)
{
    return folder.endsWith(separator) ? folder : folder + separator;
}

} // namespace

QString dialogTitleFromCaption(QStringView caption)
{
    return caption.toString().remove(QStringLiteral("...")).remove(u'&');
}

QString openFilter()
{
    return QStringLiteral("Audiobooks|") + acceptedFormats.toString() +
           QStringLiteral("|Audio File (*.mp3)|*.mp3|Media Playlist (*.wpl)|*.wpl|Folder|.|");
}

namespace {
constexpr int storedAudiobooksIndex = 4;
}

int shownFilterIndex(int storedIndex)
{
    if (storedIndex >= 1 && storedIndex < storedAudiobooksIndex)
        return storedIndex + 1;
    return storedIndex == storedAudiobooksIndex ? 1 : storedIndex;
}

int storedFilterIndex(int shownIndex)
{
    if (shownIndex > 1 && shownIndex <= storedAudiobooksIndex)
        return shownIndex - 1;
    return shownIndex == 1 ? storedAudiobooksIndex : shownIndex;
}

bool hasPlaylistExtension(QStringView path)
{
    return path.endsWith(u".wpl", Qt::CaseInsensitive);
}

bool isFolder(const QString &path)
{
    const auto attributes = platform::fileAttributes(path);
    return attributes && attributes->isDirectory();
}

bool isDecipherablePath(QStringView path)
{
    // The settings file is in the ANSI code page: what it cannot hold would be stored as "?".
    return !path.contains(platform::undecipherableCharacter) && platform::ansiCanHold(path);
}

QString undecipherableMessage(const QString &path)
{
    return QStringLiteral("Undecipherable file name:\r\n") + platform::toNativePath(path) +
           QStringLiteral("\r\nRename the file before opening in this application.");
}

QString folderPlaylist(const QString &folder)
{
    const QStringList names =
        QDir(platform::toNativePath(folder))
            .entryList({QStringLiteral("*.wpl")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        if (!platform::hasUnstorableCharacter(name))
            return withSeparator(folder) + name;
    }
    return withSeparator(folder) + QStringLiteral("index.wpl");
}

QByteArray playlistTitleBytes(const QString &playlist)
{
    const auto bytes = platform::readFileBytes(platform::toNativePath(playlist), maxTextFileSize);
    if (!bytes)
        return QByteArray();
    // One character per byte: the markers are ASCII, and the title keeps its bytes.
    return textBetween(QString::fromLatin1(*bytes), u"<title>", u"</title>").toLatin1();
}

QString initialOpenFolder(const QString &activeAlbumPath, const QString &musicFolder,
                          const QString &fallbackFolder)
{
    QString start = activeAlbumPath;
    if (hasPlaylistExtension(start)) {
        start = folderOfPath(start);
        start.chop(start.endsWith(separator) ? 1 : 0);
    }
    QString folder = start.endsWith(separator) ? start : folderOfPath(start);
    if (folder.isEmpty())
        folder = musicFolder;
    return isFolder(folder) ? folder : fallbackFolder;
}

} // namespace album
