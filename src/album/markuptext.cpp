#include "album/markuptext.h"

namespace album {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

QStringView trimmedOfBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

qsizetype firstBlank(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isBlank(text[i]))
            return i;
    }
    return -1;
}

// The value after "=": a quoted one ends at its closing quote (a ">" inside is part of it, as
// in a file name "A -> B.mp3"); an unquoted one ends at the first blank or ">".
QString valueAfterEquals(QStringView rest)
{
    if (rest.startsWith(u'"') || rest.startsWith(u'\'')) {
        const qsizetype end = rest.indexOf(rest.front(), 1);
        return end < 0 ? QString() : rest.sliced(1, end - 1).toString();
    }
    const qsizetype close = rest.indexOf(u'>');
    qsizetype end = firstBlank(rest);
    if (end < 0 || (close >= 0 && end > close))
        end = close;
    return end < 0 ? rest.toString() : rest.left(end).toString();
}

} // namespace

QString textBetween(QStringView text, QStringView start, QStringView end, Qt::CaseSensitivity cs,
                    bool exclusive)
{
    if (text.isEmpty() || start.isEmpty() || end.isEmpty())
        return QString();
    const qsizetype startAt = text.indexOf(start, 0, cs);
    if (startAt < 0)
        return QString();
    const qsizetype afterStart = startAt + start.size();
    const qsizetype endAt = text.indexOf(end, afterStart, cs);
    const qsizetype from = exclusive ? afterStart : startAt;
    if (endAt < 0)
        return text.sliced(from).toString();
    const qsizetype to = exclusive ? endAt : endAt + end.size();
    return text.sliced(from, to - from).toString();
}

QString attributeValue(QStringView element, QStringView name)
{
    if (element.isEmpty() || name.isEmpty())
        return QString();
    const qsizetype at = element.indexOf(name, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    const QStringView rest = trimmedOfBlanks(element.sliced(at + name.size()));
    if (!rest.startsWith(u'='))
        return QString();
    return valueAfterEquals(trimmedOfBlanks(rest.sliced(1)));
}

} // namespace album
