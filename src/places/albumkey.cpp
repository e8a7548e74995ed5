#include "places/albumkey.h"

#include "album/albumopener.h"
#include "album/pathtext.h"
#include "album/playlistreader.h"
#include "platform/paths.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace places {

QString albumKeyOf(const QString &playlistName, const QString &folderName,
                   const QList<KeyedRecord> &records)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // Each text ends with a NUL, which no name holds, so that no two lists hash alike.
    auto add = [&hash](const QString &text) { hash.addData((text + QChar(0)).toUtf8()); };
    add(playlistName);
    add(folderName);
    for (const KeyedRecord &record : records) {
        add(record.name);
        add(QString::number(record.size));
    }
    return QString::fromLatin1(hash.result().toHex().first(32));
}

QString albumKey(const QString &albumPath, QStringList *recordNames)
{
    const QStringList sources = album::hasPlaylistExtension(albumPath)
                                    ? album::readPlaylistSources(albumPath)
                                    : QStringList{albumPath};
    if (sources.isEmpty() || !QFileInfo(platform::toNativePath(albumPath)).isFile())
        return QString();
    QList<KeyedRecord> records;
    for (const QString &source : sources) {
        const QFileInfo info(platform::toNativePath(source));
        records.append({recordNameOf(source, albumPath), info.isFile() ? info.size() : -1});
        if (recordNames)
            recordNames->append(records.last().name);
    }
    // A path without a folder comes only from a hand-edited settings file.
    const QString folder = album::folderOfPath(albumPath);
    const QString folderName =
        folder.isEmpty() ? QString() : album::textAfterLast(folder.chopped(1), u"\\", false);
    return albumKeyOf(album::textAfterLast(albumPath, u"\\", false), folderName, records);
}

QString recordNameOf(const QString &recordPath, const QString &albumPath)
{
    const QString folder = album::folderOfPath(albumPath);
    if (folder.isEmpty() || !recordPath.startsWith(folder, platform::pathCaseSensitivity()))
        return QString();
    return recordPath.sliced(folder.size()).replace(u'\\', u'/');
}

QString recordPathOf(const QString &recordName, const QString &albumPath)
{
    const QString folder = album::folderOfPath(albumPath);
    if (folder.isEmpty() || !isRecordName(recordName))
        return QString();
    return folder + QString(recordName).replace(u'/', u'\\');
}

bool isRecordName(QStringView name)
{
    for (QStringView part : name.split(u'/')) {
        if (part.isEmpty() || part == u"." || part == u"..")
            return false;
    }
    return !name.contains(u'\\') && !name.contains(u'\0');
}

} // namespace places
