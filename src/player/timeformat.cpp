#include "player/timeformat.h"

#include <algorithm>
#include <limits>

namespace {

QString twoDigits(qint64 value)
{
    return QString::number(value).rightJustified(2, u'0');
}

} // namespace

QString formatSeconds(FixedPoint seconds, const QString &separator)
{
    const QString mark = separator.isEmpty() ? QStringLiteral(":") : separator;
    // Whole seconds first: a fraction would otherwise round the minutes up and leave the
    // seconds negative (59.6 would read "00:01:-00").
    qint64 rest = seconds.roundedToInt();
    const bool negative = rest < 0;
    if (negative)
        rest = -rest;
    const qint64 hours = rest / 3600;
    const qint64 minutes = (rest % 3600) / 60;
    const QString text = twoDigits(hours) + mark + twoDigits(minutes) + mark + twoDigits(rest % 60);
    return negative ? u'-' + text : text;
}

qint32 wholeSeconds(double seconds)
{
    const qint64 rounded = FixedPoint::fromDouble(seconds).roundedToInt();
    return qint32(std::clamp<qint64>(rounded, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}
