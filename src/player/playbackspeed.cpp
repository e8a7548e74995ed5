#include "player/playbackspeed.h"

#include "settings/fixedpoint.h"

#include <algorithm>
#include <cmath>

double clampedSpeed(double rate)
{
    if (!std::isfinite(rate))
        return speed::normal;
    return std::round(std::clamp(rate, speed::slowest, speed::fastest) * 100.0) / 100.0;
}

double steppedSpeed(double rate, int steps)
{
    const double onGrid = std::round(clampedSpeed(rate) / speed::step) + steps;
    return clampedSpeed(onGrid * speed::step);
}

bool sameSpeed(double a, double b)
{
    return std::lround(a * 100.0) == std::lround(b * 100.0);
}

double speedFromField(QStringView field)
{
    const double stored = FixedPoint::parse(field).toDouble();
    return stored > 0 ? clampedSpeed(stored) : speed::normal;
}

QString speedFieldText(double rate)
{
    return FixedPoint::fromDouble(clampedSpeed(rate)).toText();
}

QString speedCaption(double rate)
{
    QString text = QString::number(clampedSpeed(rate), 'f', 2);
    if (text.endsWith(u'0'))
        text.chop(1);
    return text + u'x';
}
