#pragma once

#include "settings/fixedpoint.h"

#include <QString>
#include <QStringView>

// A bookmark entry: the record's path, "/", the position in whole seconds, "/", the title in
// character-reference form.
namespace bookmarks {

// The stored form of a typed title: character references, and "/", "|" and a "&#" that would
// read as a reference written as references too, so that the entry and the album's Marks field
// keep their shape and the title reads back as typed.
QString storedTitle(QStringView typed);
// The entry's title as typed: everything after the second "/", decoded. An older entry whose
// title holds a bare "/" thus keeps it whole.
QString shownTitle(QStringView entry);
// "x.mp3 - 00:01:15": the file name of the path and the position.
QString fileAndTimeCaption(QStringView path, FixedPoint seconds);

// The entry's path and position fields; empty and 0 where it has none.
QString pathOf(QStringView entry);
FixedPoint secondsOf(QStringView entry);
// The entry padded with empty fields to at least three.
QString padded(const QString &entry);

} // namespace bookmarks
