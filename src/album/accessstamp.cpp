#include "album/accessstamp.h"

#include <QList>

#include <array>

namespace album {

namespace {

constexpr int stampParts = 6;

QString padded(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

// A part of plain decimal digits; -1 for anything else.
int stampNumber(QStringView part)
{
    if (part.isEmpty())
        return -1;
    for (QChar c : part) {
        if (c < u'0' || c > u'9')
            return -1;
    }
    bool ok = false;
    const int value = part.toInt(&ok);
    return ok ? value : -1;
}

} // namespace

QString formatAccessStamp(const QDateTime &time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    return padded(date.year(), 4) + u':' + padded(date.month(), 2) + u':' + padded(date.day(), 2) +
           u':' + padded(clock.hour(), 2) + u':' + padded(clock.minute(), 2) + u':' +
           padded(clock.second(), 2);
}

QDateTime readAccessStamp(QStringView stamp, const QDateTime &now)
{
    const QList<QStringView> parts = stamp.trimmed().split(u':');
    if (parts.size() != stampParts)
        return now;
    std::array<int, stampParts> numbers{};
    for (int i = 0; i < stampParts; ++i) {
        numbers[i] = stampNumber(parts[i]);
        if (numbers[i] < 0)
            return now;
    }
    const QDate date(numbers[0], numbers[1], numbers[2]);
    const QTime clock(numbers[3], numbers[4], numbers[5]);
    if (!date.isValid() || !clock.isValid())
        return now;
    return QDateTime(date, clock);
}

} // namespace album
