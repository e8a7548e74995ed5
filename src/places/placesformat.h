#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// A computer's shared places: what one computer of the household tells the others about the
// albums of one profile, as a line-based text file that only that computer ever writes.
namespace places {

// Seconds since the epoch, UTC; 0 for never.
using Stamp = qint64;

// The resume place and how the album is listened to; the stamp says when it last changed.
struct SharedPlace {
    Stamp stamp = 0;
    QString record;  // relative to the album's folder, "/" between folders; empty for none
    QString seconds; // decimal text, as the album's marks hold it
    double speed = 1;
    int volume = 100; // 0..200

    bool sameAs(const SharedPlace &other) const;
};

// A bookmark as (record, seconds, title); a deleted one is kept as a marker, so that a computer
// that still has it learns of the deletion instead of bringing it back.
struct SharedBookmark {
    Stamp stamp = 0;
    bool deleted = false;
    QString record;
    QString seconds;
    QString title; // character-reference form, as the album's marks hold it

    friend bool operator==(const SharedBookmark &, const SharedBookmark &) = default;
};

struct SharedAlbum {
    QString key;   // albumKey
    QString title; // as shown
    SharedPlace place;
    QList<SharedBookmark> bookmarks;
};

struct PlacesFile {
    QString computer; // the name it is shown by
    QList<SharedAlbum> albums;
};

// Limits that a file of a real household never reaches; a file beyond them is refused whole.
inline constexpr qsizetype maxPlacesFileSize = 8 * 1024 * 1024;
inline constexpr qsizetype maxFieldLength = 4096;
inline constexpr qsizetype maxAlbums = 32767;
inline constexpr qsizetype maxBookmarksPerAlbum = 4096;

QByteArray writePlacesText(const PlacesFile &file);
// The lines (the header first, each ending in a line break) with the end line that vouches for
// them.
QByteArray sealedPlacesText(const QByteArray &lines);

// Why a file was refused, or empty with the file read.
struct PlacesReading {
    std::optional<PlacesFile> file;
    QString problem;
};
// Reads a whole file, or refuses it whole: one that is cut short (its end line, which holds a
// checksum of all before it, missing or wrong), too large, not UTF-8, or with a line of a known
// kind that breaks its rules. Lines of kinds a later version may add are passed over.
PlacesReading readPlacesText(QByteArrayView bytes);

// A stamp as the file writes it, "2026-12-08T11:41:33Z", and back (nullopt for any other shape).
QString stampText(Stamp stamp);
std::optional<Stamp> readStamp(QStringView text);

} // namespace places
