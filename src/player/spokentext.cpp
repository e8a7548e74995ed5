#include "player/spokentext.h"

#include "player/playbackspeed.h"
#include "player/timeformat.h"

namespace spoken {

namespace {

QString wholeTime(double seconds)
{
    return formatSeconds(FixedPoint::fromInt(wholeSeconds(seconds)));
}

} // namespace

QString position(double seconds, double length)
{
    if (length <= 0)
        return wholeTime(seconds);
    return wholeTime(seconds) + QStringLiteral(" of ") + wholeTime(length);
}

QString volume(int percent)
{
    return QString::number(percent) + QStringLiteral(" percent");
}

QString speed(double rate)
{
    if (sameSpeed(rate, speed::normal))
        return QStringLiteral("normal speed");
    QString caption = speedCaption(rate);
    caption.chop(1); // the "x"
    return caption + QStringLiteral(" times");
}

QString box(bool chapter, int index, int count, const QString &title)
{
    const QString place =
        (chapter ? QStringLiteral("Chapter %1 of %2") : QStringLiteral("Record %1 of %2"))
            .arg(index + 1)
            .arg(count);
    return title.isEmpty() ? place : place + QStringLiteral(": ") + title;
}

QString jump(const QString &title, double seconds)
{
    if (title.isEmpty())
        return QStringLiteral("Back to ") + wholeTime(seconds);
    return QStringLiteral("Bookmark ") + title + QStringLiteral(", ") + wholeTime(seconds);
}

} // namespace spoken
