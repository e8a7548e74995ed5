#include "bookmarks/bookmarkentry.h"

#include "player/timeformat.h"
#include "text/characterreferences.h"

namespace bookmarks {

QString storedTitle(QStringView typed)
{
    QString escaped = typed.toString();
    // "&" first: the references put in for the other two begin with it.
    escaped.replace(QStringLiteral("&#"), QStringLiteral("&#38;#"));
    escaped.replace(u'/', QStringLiteral("&#47;"));
    escaped.replace(u'|', QStringLiteral("&#124;"));
    return text::toCharacterReferences(escaped);
}

QString shownTitle(const album::Mark &mark)
{
    return text::fromCharacterReferenceText(mark.title);
}

QString fileAndTimeCaption(const album::Mark &mark)
{
    return mark.path.sliced(mark.path.lastIndexOf(u'\\') + 1) + QStringLiteral(" - ") +
           formatSeconds(secondsOf(mark));
}

QString newMarkTitle(const album::Mark &mark, const QString &chapterTitle)
{
    if (chapterTitle.isEmpty())
        return fileAndTimeCaption(mark);
    return chapterTitle + QStringLiteral(" - ") + formatSeconds(secondsOf(mark));
}

FixedPoint secondsOf(const album::Mark &mark)
{
    return FixedPoint::parse(mark.seconds);
}

} // namespace bookmarks
