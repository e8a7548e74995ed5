#pragma once

#include "settings/fixedpoint.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace album {

// One album as its line of text: eight fields in this order, joined with "=", and the optional
// ninth, Speed. Fields keep their stored forms; fields past the ninth are carried along
// untouched.
struct AlbumEntry {
    QString path;            // the playlist's (or single file's) path in its stored form (below)
    QString access;          // access stamp "yyyy:mm:dd:hh:nn:ss"; empty until first captured
    QString title;           // character-reference form, "=" as "&#61;"
    QString codepage;        // code page of the tag titles; 1200 for Unicode
    QString records;         // record count at the last activation
    QString duration;        // whole seconds at the last activation
    QString volume;          // 1..100
    QString marks;           // resume mark, then the bookmarks, joined with "|"
    QStringList extraFields; // Speed first, then any others

    // Splits at "=", padding to eight fields with empty ones.
    static AlbumEntry fromText(QStringView text);
    QString toText() const;
    // The fields after the path joined with "=": the value of the entry's settings line.
    QString valueText() const;

    // The path decoded from its stored form.
    QString albumPath() const;
    // Duration read as a number (0 when missing or not numeric).
    FixedPoint durationSeconds() const;
    // Volume read as a number; missing, not numeric or below 1 gives 100, more than 100 gives 100.
    int volumeLevel() const;
    // The Speed field read as a playback speed: empty, not numeric or 0 and below give 1.
    double speed() const;
    // Stores the speed. At 1 the field is left out unless other fields follow it (then empty),
    // so that an album that never changed speed keeps its eight fields.
    void setSpeed(double rate);
    // The code page field as a number (0 when not numeric).
    int codePageNumber() const;
    // The Marks items after the resume mark, empty ones left out.
    QStringList bookmarks() const;
    // When the album last played (its access stamp, local time, in ms since the epoch); 0 before
    // its first capture.
    qint64 lastPlayedMsecs() const;

    friend bool operator==(const AlbumEntry &, const AlbumEntry &) = default;
};

// A title as the entry stores it: "=" separates an entry's fields, so it is kept as a reference.
QString storedTitle(QString references);

// The stored form of a path (the album's, and a mark's) and back: "=" <-> "*"; a line break,
// "|", "/", "*", and "&" before "#" <-> their character references "&#10;", "&#13;", "&#124;",
// "&#47;", "&#42;", "&#38;". Every name a folder can hold reads back unchanged.
QString encodeAlbumPath(QStringView path);
QString decodeAlbumPath(QStringView storedPath);

// True when the entry's decoded path names an existing file (not a folder).
bool albumFileExists(const AlbumEntry &entry);

} // namespace album
