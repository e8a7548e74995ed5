#include "settings/fixedpoint.h"

#include <cmath>
#include <limits>

namespace {

constexpr int fractionDigits = 4;

// Multiplies and adds without wrapping: past the range the value stays at its limit.
qint64 appendDigit(qint64 value, int digit)
{
    constexpr qint64 maximum = std::numeric_limits<qint64>::max();
    if (value > (maximum - digit) / 10)
        return maximum;
    return value * 10 + digit;
}

} // namespace

FixedPoint FixedPoint::fromDouble(double value)
{
    const double units = std::round(value * scale);
    if (!(units == units))
        return FixedPoint();
    if (units >= double(std::numeric_limits<qint64>::max()))
        return FixedPoint(std::numeric_limits<qint64>::max());
    if (units <= double(std::numeric_limits<qint64>::min()))
        return FixedPoint(std::numeric_limits<qint64>::min());
    return FixedPoint(qint64(units));
}

FixedPoint FixedPoint::parse(QStringView text)
{
    text = text.trimmed();
    qsizetype at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    qint64 whole = 0;
    while (at < text.size() && text[at].isDigit() && text[at].unicode() < 128)
        whole = appendDigit(whole, text[at++].unicode() - '0');
    qint64 fraction = 0;
    int digits = 0;
    if (at < text.size() && text[at] == u'.') {
        ++at;
        for (; at < text.size() && text[at].unicode() >= '0' && text[at].unicode() <= '9'; ++at) {
            if (digits < fractionDigits) {
                fraction = fraction * 10 + (text[at].unicode() - '0');
                ++digits;
            }
        }
    }
    for (; digits < fractionDigits; ++digits)
        fraction *= 10;
    // The fraction counts too: the largest whole number with a large fraction is past the range.
    constexpr qint64 maximum = std::numeric_limits<qint64>::max();
    const qint64 units = whole > (maximum - fraction) / scale ? maximum : whole * scale + fraction;
    return FixedPoint(negative ? -units : units);
}

QString FixedPoint::toText() const
{
    const bool negative = m_units < 0;
    // Unsigned, so that the most negative value has a magnitude too.
    const quint64 magnitude = negative ? quint64(0) - quint64(m_units) : quint64(m_units);
    const quint64 whole = magnitude / scale;
    quint64 fraction = magnitude % scale;
    QString text = negative ? QStringLiteral("-") : QString();
    if (whole != 0 || fraction == 0)
        text += QString::number(whole);
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(fractionDigits, u'0');
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return text;
}

qint64 FixedPoint::roundedToInt() const
{
    qint64 whole = floorToInt();
    // From the remainder, not from whole * scale, which passes the range near the minimum.
    qint64 rest = m_units % scale;
    if (rest < 0)
        rest += scale;
    if (rest > scale / 2 || (rest == scale / 2 && (whole & 1)))
        ++whole;
    return whole;
}

qint64 FixedPoint::floorToInt() const
{
    qint64 whole = m_units / scale;
    if (m_units % scale < 0)
        --whole;
    return whole;
}
