#include "history/historysummary.h"

#include <QDateTime>
#include <QMap>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace history {

namespace {

auto orderKey(const ListeningSession &session)
{
    return std::tie(session.startMs, session.lengthMs, session.fromSeconds, session.toSeconds,
                    session.album, session.record);
}

} // namespace

QList<ListeningSession> newestFirst(QList<ListeningSession> sessions)
{
    std::sort(sessions.begin(), sessions.end(),
              [](const ListeningSession &a, const ListeningSession &b) {
                  return orderKey(a) > orderKey(b);
              });
    sessions.erase(std::unique(sessions.begin(), sessions.end()), sessions.end());
    return sessions;
}

QList<ListeningSession> sessionsOfAlbum(const QList<ListeningSession> &sessions,
                                        const QString &album)
{
    QList<ListeningSession> kept;
    std::copy_if(sessions.begin(), sessions.end(), std::back_inserter(kept),
                 [&album](const ListeningSession &session) { return session.album == album; });
    return kept;
}

QStringList albumsOf(const QList<ListeningSession> &sessions)
{
    QStringList albums;
    QSet<QString> seen;
    for (const ListeningSession &session : sessions) {
        if (!seen.contains(session.album)) {
            seen.insert(session.album);
            albums.append(session.album);
        }
    }
    return albums;
}

QList<AlbumTotal> totalsPerAlbum(const QList<ListeningSession> &sessions)
{
    QMap<QString, qint64> lengths;
    for (const ListeningSession &session : sessions)
        lengths[session.album] += session.lengthMs;
    QList<AlbumTotal> totals;
    for (auto it = lengths.cbegin(); it != lengths.cend(); ++it)
        totals.append({it.key(), it.value()});
    std::stable_sort(totals.begin(), totals.end(), [](const AlbumTotal &a, const AlbumTotal &b) {
        return a.lengthMs > b.lengthMs;
    });
    return totals;
}

QList<WeekTotal> totalsPerWeek(const QList<ListeningSession> &sessions, const QTimeZone &zone)
{
    QMap<QDate, qint64> lengths;
    for (const ListeningSession &session : sessions) {
        const QDate day = QDateTime::fromMSecsSinceEpoch(session.startMs, zone).date();
        if (day.isValid())
            lengths[day.addDays(1 - day.dayOfWeek())] += session.lengthMs;
    }
    QList<WeekTotal> totals;
    for (auto it = lengths.cbegin(); it != lengths.cend(); ++it)
        totals.append({it.key(), it.value()});
    std::reverse(totals.begin(), totals.end());
    return totals;
}

} // namespace history
