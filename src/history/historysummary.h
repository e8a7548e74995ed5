#pragma once

#include "history/listeningsession.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTimeZone>

// What the history window shows of a list of sessions.
namespace history {

struct AlbumTotal {
    QString album;
    qint64 lengthMs = 0;
    friend bool operator==(const AlbumTotal &, const AlbumTotal &) = default;
};

// An ISO week, Monday to Sunday, named by its Monday.
struct WeekTotal {
    QDate monday;
    qint64 lengthMs = 0;
    friend bool operator==(const WeekTotal &, const WeekTotal &) = default;
};

// Newest start first; a session listed twice (a line written twice) once.
QList<ListeningSession> newestFirst(QList<ListeningSession> sessions);
// The album's sessions in their order.
QList<ListeningSession> sessionsOfAlbum(const QList<ListeningSession> &sessions,
                                        const QString &album);
// Each album of the sessions once, in the order of its first session.
QStringList albumsOf(const QList<ListeningSession> &sessions);

// The listening time per album, the longest first (ties by key).
QList<AlbumTotal> totalsPerAlbum(const QList<ListeningSession> &sessions);
// The listening time per week of the sessions' starts in the zone's local time, the newest week
// first: a session past midnight counts in the week it began.
QList<WeekTotal> totalsPerWeek(const QList<ListeningSession> &sessions,
                               const QTimeZone &zone = QTimeZone::systemTimeZone());

} // namespace history
