#include "album/albumcaption.h"

#include "version.h"

#include "album/accessstamp.h"
#include "platform/paths.h"
#include "player/timeformat.h"
#include "text/characterreferences.h"

#include <algorithm>

namespace album {

namespace {

// numerator / denominator to the nearest whole number, halves to the even one (both positive).
int roundedQuotient(int numerator, int denominator)
{
    const int quotient = numerator / denominator;
    const int twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

QString accessText(const QString &access, const MonthNames &months, const QDateTime &now)
{
    const QString stamp = access.trimmed();
    if (stamp.isEmpty())
        return QString();
    const QDate date = readAccessStamp(stamp, now).date();
    if (!date.isValid())
        return QString();
    return u'[' + QString::number(date.year()) + u' ' + months[date.month() - 1] + u' ' +
           QString::number(date.day()).rightJustified(2, u'0') + QStringLiteral("] ");
}

QString durationText(const AlbumEntry &entry)
{
    const FixedPoint seconds = entry.durationSeconds();
    QString text;
    if (!entry.title.isEmpty() || seconds.roundedToInt() >= 1)
        text += QStringLiteral("\t= ");
    if (seconds > FixedPoint())
        text += u'[' + formatSeconds(seconds) + QStringLiteral("] ");
    return text;
}

QString decodedTitle(const QString &title)
{
    return text::fromCharacterReferenceText(title).left(shownTitleLength);
}

} // namespace

MonthNames buildMonthNames(const QLocale &locale,
                           const std::function<int(const QString &)> &textWidth)
{
    MonthNames names;
    std::array<int, 12> widths{};
    for (int month = 1; month <= 12; ++month) {
        names[month - 1] = locale.toString(QDate(2000, month, 1), QStringLiteral("MMM"));
        widths[month - 1] = textWidth(names[month - 1]);
    }
    const int widest = *std::max_element(widths.begin(), widths.end());
    const int blankWidth = textWidth(QStringLiteral(" "));
    if (blankWidth <= 0)
        return names;
    for (int i = 0; i < 12; ++i)
        names[i] += QString(roundedQuotient(widest - widths[i], blankWidth), u' ');
    return names;
}

AlbumCaption albumCaption(const AlbumEntry &entry, const MonthNames &months, const QDateTime &now)
{
    AlbumCaption result;
    result.caption = accessText(entry.access, months, now) +
                     platform::toNativePath(entry.albumPath()) + durationText(entry);
    result.text = result.caption + decodedTitle(entry.title);
    return result;
}

QString windowCaption(const QString &profile, const QString &albumPath)
{
    QString caption = QString::fromUtf8(version::title);
    if (profile != u"Default")
        caption += QStringLiteral(" [") + profile + u']';
    if (!albumPath.isEmpty())
        caption += QStringLiteral(" - ") + platform::toNativePath(albumPath);
    return caption;
}

} // namespace album
