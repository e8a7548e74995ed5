#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// The settings store's number: a signed count of ten-thousandths.
class FixedPoint {
public:
    static constexpr qint64 scale = 10000;

    constexpr FixedPoint() = default;
    static constexpr FixedPoint fromUnits(qint64 units) { return FixedPoint(units); }
    static constexpr FixedPoint fromInt(qint64 value) { return FixedPoint(value * scale); }
    // Nearest ten-thousandth; halves away from zero.
    static FixedPoint fromDouble(double value);

    // The longest leading number of the trimmed text; text that starts with no number gives 0.
    static FixedPoint parse(QStringView text);
    // Shortest decimal text: 0, 1, -12, 2.5, .5, -.25.
    QString toText() const;

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / scale; }
    // Nearest whole number, halves to the even one.
    qint64 roundedToInt() const;
    // The whole part, rounded down.
    qint64 floorToInt() const;

    friend constexpr bool operator==(FixedPoint, FixedPoint) = default;
    friend constexpr auto operator<=>(FixedPoint, FixedPoint) = default;
    friend constexpr FixedPoint operator+(FixedPoint a, FixedPoint b)
    {
        return FixedPoint(a.m_units + b.m_units);
    }
    friend constexpr FixedPoint operator-(FixedPoint a, FixedPoint b)
    {
        return FixedPoint(a.m_units - b.m_units);
    }

private:
    constexpr explicit FixedPoint(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};
