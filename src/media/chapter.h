#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace media {

// One chapter inside a record: where it starts, in milliseconds from the record's start, and
// its title.
struct Chapter {
    qint64 startMs = 0;
    QString title;

    friend bool operator==(const Chapter &, const Chapter &) = default;
};
using Chapters = QList<Chapter>;

// No file's chapter list is read past this many: a hostile table cannot cost more.
inline constexpr qsizetype maximumChapters = 10000;
// The longest chapter title kept, in UTF-16 code units.
inline constexpr qsizetype maximumChapterTitle = 200;

// The list as every part of the program expects it: ordered by start, chapters that start
// before 0 or (when the duration is known, above 0) at or after the record's end dropped, one
// chapter per start, blank titles named "Chapter n" after their place, titles cut to their
// first maximumChapterTitle code units, at most maximumChapters.
Chapters tidyChapters(Chapters chapters, qint64 durationMs);

// The chapter playing at the position: the last one that starts at or before it, the first
// one before any starts; -1 for an empty list.
int chapterAt(const Chapters &chapters, qint64 positionMs);

// "Chapter 3/42: Title" for the chapter at the index; empty for an index out of range.
QString chapterStatusText(const Chapters &chapters, int index);

} // namespace media
