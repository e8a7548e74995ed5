#pragma once

#include "album/markpaths.h"
#include "settings/fixedpoint.h"

#include <QString>
#include <QStringView>

// The text of a bookmark: an item of the album's Marks field (album::Mark), whose title is in
// character-reference form.
namespace bookmarks {

// The stored form of a typed title: character references, and "/", "|" and a "&#" that would
// read as a reference written as references too, so that the item and the Marks field keep
// their shape and the title reads back as typed.
QString storedTitle(QStringView typed);
// The title as typed; an older item whose title holds a bare "/" keeps it whole.
QString shownTitle(const album::Mark &mark);
// "x.mp3 - 00:01:15": the file name of the mark's path and its position.
QString fileAndTimeCaption(const album::Mark &mark);
// A new bookmark's offered title: "Chapter title - 01:02:03" inside a chapter, else the file
// and time caption.
QString newMarkTitle(const album::Mark &mark, const QString &chapterTitle);
FixedPoint secondsOf(const album::Mark &mark);

} // namespace bookmarks
