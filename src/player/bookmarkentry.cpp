#include "player/bookmarkentry.h"

#include "player/timeformat.h"
#include "text/characterreferences.h"

namespace bookmarks {

namespace {

constexpr int fieldCount = 3;

} // namespace

QString storedTitle(QStringView typed)
{
    QString escaped = typed.toString();
    // "&" first: the references put in for the other two begin with it.
    escaped.replace(QStringLiteral("&#"), QStringLiteral("&#38;#"));
    escaped.replace(u'/', QStringLiteral("&#47;"));
    escaped.replace(u'|', QStringLiteral("&#124;"));
    return text::toCharacterReferences(escaped);
}

QString shownTitle(QStringView entry)
{
    const qsizetype first = entry.indexOf(u'/');
    const qsizetype second = first < 0 ? -1 : entry.indexOf(u'/', first + 1);
    return second < 0 ? QString() : text::fromCharacterReferenceText(entry.sliced(second + 1));
}

QString fileAndTimeCaption(QStringView path, FixedPoint seconds)
{
    return path.sliced(path.lastIndexOf(u'\\') + 1).toString() + QStringLiteral(" - ") +
           formatSeconds(seconds);
}

QString pathOf(QStringView entry)
{
    return entry.left(entry.indexOf(u'/')).toString();
}

FixedPoint secondsOf(QStringView entry)
{
    const qsizetype first = entry.indexOf(u'/');
    if (first < 0)
        return FixedPoint();
    const qsizetype second = entry.indexOf(u'/', first + 1);
    return FixedPoint::parse(
        entry.sliced(first + 1, (second < 0 ? entry.size() : second) - first - 1));
}

QString padded(const QString &entry)
{
    const qsizetype missing = fieldCount - (entry.count(u'/') + 1);
    return missing > 0 ? entry + QString(missing, u'/') : entry;
}

} // namespace bookmarks
