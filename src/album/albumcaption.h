#pragma once

#include "album/albumentry.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <array>
#include <functional>

namespace album {

// Titles show at most this many UTF-16 code units in album and record captions.
inline constexpr qsizetype shownTitleLength = 100;

// The locale's abbreviated month names, January first, each padded with blanks so that all
// twelve take about the same width in the window's font.
using MonthNames = std::array<QString, 12>;

// Each name gets (widest - its width) / blank width blanks, rounded halves to even. The width
// callback measures text in the display font; a blank of no width adds no blanks.
MonthNames buildMonthNames(const QLocale &locale,
                           const std::function<int(const QString &)> &textWidth);

struct AlbumCaption {
    QString caption; // date, native path and duration: everything before the title
    QString text;    // caption followed by the decoded title
};

// The album's menu text: "[year month dd] " when it has an access stamp (an unreadable stamp
// shows now), the path in native form, then a tab and "= " with the duration and the title.
AlbumCaption albumCaption(const AlbumEntry &entry, const MonthNames &months, const QDateTime &now);

// The main window's caption: the application's title, " [profile]" for any profile but
// "Default", and " - " and the album's native path while one is active.
QString windowCaption(const QString &profile, const QString &albumPath);

} // namespace album
