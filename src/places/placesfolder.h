#pragma once

#include "places/placesformat.h"

#include <QList>
#include <QString>

// The shared folder on disk: "<folder>/<profile>/<computer>.places", one file per computer, each
// written by its computer alone. Paths here are native.
namespace places {

inline constexpr QLatin1StringView placesExtension(".places");
// More computers, or more bytes of places, than a household has are not read.
inline constexpr qsizetype maxComputers = 64;
inline constexpr qsizetype maxFolderBytes = 4 * maxPlacesFileSize;

// A profile's or computer's name as one file name on any file system: letters, digits, " ",
// "-", "_", "(" and ")" as they are, "." too but not first; every other character "%" and the
// hex digits of its UTF-8 bytes. Profiles and computers differ in more than case, so the names
// stay apart where case is ignored. Empty gives "%".
QString encodedFileName(const QString &name);

QString profileFolderPath(const QString &shareFolder, const QString &profile);
QString ownFilePath(const QString &shareFolder, const QString &profile, const QString &computer);

struct OtherFile {
    QString fileName;
    QString computer; // as its file says, else its file name
    PlacesReading reading;
};
struct FolderReading {
    bool folderFound = false;
    QList<OtherFile> others;
    // Copies a sync tool made when two computers wrote one file: two computers share a name.
    QStringList conflictCopies;
};

// Every other computer's file of the profile's folder, read whole; hidden files (a sync tool's
// or our own unfinished writes) and conflict copies are passed over. Files past maxComputers
// or maxFolderBytes are not read and say so.
FolderReading readProfileFolder(const QString &profileFolder, const QString &ownFileName);
// The own file, or nullopt with the reason when it is there and cannot be read.
PlacesReading readPlacesFile(const QString &path);
// Through a temporary file and a rename, the profile's folder made when missing; 0 or errno. A
// link in the file's place is replaced, never followed: others may write to a shared folder.
int writePlacesFile(const QString &path, const QByteArray &text);

} // namespace places
