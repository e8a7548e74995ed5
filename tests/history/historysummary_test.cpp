#include "historytesting.h"

#include "history/historysummary.h"

#include <QDateTime>

#include <gtest/gtest.h>

using history::AlbumTotal;
using history::ListeningSession;
using history::WeekTotal;
using Sessions = QList<ListeningSession>;

namespace history {

void PrintTo(const WeekTotal &week, std::ostream *out)
{
    *out << week.monday.toString(Qt::ISODate).toStdString() << "=" << week.lengthMs;
}

} // namespace history

namespace {

ListeningSession listened(const QString &album, qint64 startMs, qint64 lengthMs)
{
    return {album, "r", 0, 1, startMs, lengthMs};
}

// A session of lengthMs begun at the local time in a zone one hour east of UTC.
ListeningSession at(const char *localTime, qint64 lengthMs)
{
    const QDateTime start =
        QDateTime(QDate::fromString(QByteArray(localTime).left(10), Qt::ISODate),
                  QTime::fromString(QByteArray(localTime).mid(11), Qt::ISODate), QTimeZone(3600));
    return listened("a", start.toMSecsSinceEpoch(), lengthMs);
}

QDate day(const char *date)
{
    return QDate::fromString(date, Qt::ISODate);
}

} // namespace

TEST(HistorySummary, NewestFirstAndASessionListedTwiceOnce)
{
    const Sessions sessions{listened("a", 2, 5), listened("b", 3, 5), listened("a", 2, 5),
                            listened("a", 1, 5), listened("c", 2, 5)};
    EXPECT_EQ(history::newestFirst(sessions), (Sessions{listened("b", 3, 5), listened("c", 2, 5),
                                                        listened("a", 2, 5), listened("a", 1, 5)}));
}

// Sorting many equal sessions asks for a strict order: one that is not reads past the list.
TEST(HistorySummary, ManyCopiesOfASessionAreOne)
{
    Sessions sessions;
    for (int i = 0; i < 200; ++i)
        sessions << listened("a", 2, 5) << listened("a", i % 3, 5);
    EXPECT_EQ(history::newestFirst(sessions),
              (Sessions{listened("a", 2, 5), listened("a", 1, 5), listened("a", 0, 5)}));
}

TEST(HistorySummary, AnAlbumsSessionsAndTheAlbumsInOrderOfTheirFirstSession)
{
    const Sessions sessions{listened("b", 4, 1), listened("a", 3, 1), listened("b", 2, 1),
                            listened("c", 1, 1)};
    EXPECT_EQ(history::sessionsOfAlbum(sessions, "b"),
              (Sessions{listened("b", 4, 1), listened("b", 2, 1)}));
    EXPECT_TRUE(history::sessionsOfAlbum(sessions, "B").isEmpty());
    EXPECT_EQ(history::albumsOf(sessions), QStringList({"b", "a", "c"}));
}

TEST(HistorySummary, TotalsPerAlbumTheLongestFirst)
{
    const Sessions sessions{listened("b", 1, 1000), listened("a", 2, 3000), listened("c", 3, 500),
                            listened("b", 4, 2000), listened("d", 5, 3000)};
    EXPECT_EQ(history::totalsPerAlbum(sessions),
              (QList<AlbumTotal>{{"a", 3000}, {"b", 3000}, {"d", 3000}, {"c", 500}}));
}

TEST(HistorySummary, WeeksRunFromMondayInLocalTimeAcrossTheYearsEnd)
{
    const Sessions sessions{
        at("2024-03-10T23:59:59", 1),  at("2024-03-11T00:00:00", 2),
        at("2024-03-17T23:59:59", 4),  at("2024-12-29T12:00:00", 8),
        at("2024-12-30T00:00:00", 16), at("2025-01-05T23:59:59", 32),
        at("2021-01-03T12:00:00", 64), at("2021-01-04T00:00:00", 128),
    };
    const QList<WeekTotal> expected{
        {day("2024-12-30"), 48}, {day("2024-12-23"), 8},   {day("2024-03-11"), 6},
        {day("2024-03-04"), 1},  {day("2021-01-04"), 128}, {day("2020-12-28"), 64},
    };
    const QList<WeekTotal> weeks = history::totalsPerWeek(sessions, QTimeZone(3600));
    EXPECT_EQ(weeks, expected);
    int year = 0;
    EXPECT_EQ(day("2024-12-30").weekNumber(&year), 1);
    EXPECT_EQ(year, 2025);
}

TEST(HistorySummary, TheZoneDecidesTheDayNearMidnight)
{
    const qint64 sundayLateUtc =
        QDateTime(day("2024-03-10"), QTime(23, 30), QTimeZone::utc()).toMSecsSinceEpoch();
    const Sessions sessions{listened("a", sundayLateUtc, 7)};
    EXPECT_EQ(history::totalsPerWeek(sessions, QTimeZone::utc()),
              (QList<WeekTotal>{{day("2024-03-04"), 7}}));
    EXPECT_EQ(history::totalsPerWeek(sessions, QTimeZone(3600)),
              (QList<WeekTotal>{{day("2024-03-11"), 7}}));
}
