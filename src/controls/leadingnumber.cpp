#include "controls/leadingnumber.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <limits>

namespace {

bool isDigitAt(QStringView text, qsizetype at)
{
    return at < text.size() && text[at] >= u'0' && text[at] <= u'9';
}

qsizetype skipDigits(QStringView text, qsizetype at)
{
    while (isDigitAt(text, at))
        ++at;
    return at;
}

// Puts the number at the start of text into out, written the C way; false when there is none.
bool scanNumber(QStringView text, QString &out)
{
    qsizetype at = 0;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
        ++at;
    const qsizetype mantissa = at;
    at = skipDigits(text, at);
    bool digits = at > mantissa;
    if (at < text.size() && text[at] == u'.') {
        const qsizetype fraction = at + 1;
        at = skipDigits(text, fraction);
        digits = digits || at > fraction;
    }
    if (!digits)
        return false;
    qsizetype end = at;
    if (at < text.size() && QStringLiteral("eEdD").contains(text[at])) {
        qsizetype exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        if (isDigitAt(text, exponent))
            end = skipDigits(text, exponent);
    }
    out = text.first(end).toString();
    // The exponent may be written with "d"; the C locale knows only "e".
    out.replace(u'd', u'e').replace(u'D', u'e');
    return true;
}

} // namespace

int leadingInteger(QStringView text)
{
    QString number;
    if (!scanNumber(text.trimmed(), number))
        return 0;
    // Gives an infinity when the number overflows, 0 when it underflows.
    const double value = QLocale::c().toDouble(number);
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (value <= lowest)
        return std::numeric_limits<int>::min();
    if (value >= highest)
        return std::numeric_limits<int>::max();
    // nearbyint rounds halves to even in the default rounding mode.
    return int(std::nearbyint(value));
}
