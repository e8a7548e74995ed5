#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// What tells the same book apart on every computer, wherever its folder is mounted.
namespace places {

struct KeyedRecord {
    QString name;     // relative to the album's folder, "/" between folders
    qint64 size = -1; // -1 for a missing file
};

// 32 hex digits hashed from the playlist's (or single file's) name, its folder's name and every
// record's relative name and size, in playlist order. A different mount point or parent folder
// keeps the key; another book filed under the same folder name has other record sizes.
QString albumKeyOf(const QString &playlistName, const QString &folderName,
                   const QList<KeyedRecord> &records);

// The key of the album at the internal path; empty when its playlist or file cannot be read or
// lists no record. recordNames, when given, receives the records' names in playlist order.
QString albumKey(const QString &albumPath, QStringList *recordNames = nullptr);

// The record's name relative to the album's folder ("/" between folders), empty for a file
// outside it; and back, empty for a name that would lead out of it.
QString recordNameOf(const QString &recordPath, const QString &albumPath);
// A relative record name with no empty, "." or ".." part, "\" or NUL: one that stays inside its
// album wherever the album is.
bool isRecordName(QStringView name);
QString recordPathOf(const QString &recordName, const QString &albumPath);

} // namespace places
