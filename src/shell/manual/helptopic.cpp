#include "shell/manual/helptopic.h"

#include "platform/paths.h"

#include <QFile>
#include <QList>

#include <optional>

namespace {

struct Tag {
    qsizetype start = 0;
    qsizetype end = 0; // one past '>'
    QString name;      // lower case, without the '/'
    bool closing = false;
    QString id;
};

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':';
}

qsizetype skipSpaces(QStringView text, qsizetype i)
{
    while (i < text.size() && text[i].isSpace())
        ++i;
    return i;
}

// Reads an attribute value (quoted or bare) at i; returns the position after it.
qsizetype readValue(QStringView text, qsizetype i, QString *value)
{
    if (i < text.size() && (text[i] == u'"' || text[i] == u'\'')) {
        const QChar quote = text[i];
        const qsizetype close = text.indexOf(quote, i + 1);
        if (close < 0)
            return text.size();
        *value = text.mid(i + 1, close - i - 1).toString();
        return close + 1;
    }
    const qsizetype begin = i;
    while (i < text.size() && !text[i].isSpace() && text[i] != u'>')
        ++i;
    *value = text.mid(begin, i - begin).toString();
    return i;
}

// Parses the tag whose '<' is at start; nothing when it is not a complete tag.
std::optional<Tag> readTag(QStringView text, qsizetype start)
{
    Tag tag;
    tag.start = start;
    qsizetype i = start + 1;
    if (i < text.size() && text[i] == u'/') {
        tag.closing = true;
        ++i;
    }
    const qsizetype nameStart = i;
    while (i < text.size() && isNameChar(text[i]))
        ++i;
    if (i == nameStart)
        return std::nullopt;
    tag.name = text.mid(nameStart, i - nameStart).toString().toLower();
    while (true) {
        i = skipSpaces(text, i);
        if (i >= text.size())
            return std::nullopt;
        if (text[i] == u'>') {
            tag.end = i + 1;
            return tag;
        }
        const qsizetype attributeStart = i;
        while (i < text.size() && isNameChar(text[i]))
            ++i;
        if (i == attributeStart) {
            ++i; // a stray character such as '/' in "<br/>"
            continue;
        }
        const QStringView attribute = text.mid(attributeStart, i - attributeStart);
        i = skipSpaces(text, i);
        if (i < text.size() && text[i] == u'=') {
            QString value;
            i = readValue(text, skipSpaces(text, i + 1), &value);
            if (attribute.compare(u"id", Qt::CaseInsensitive) == 0)
                tag.id = value;
        }
    }
}

// Every complete tag in order; comments are passed over, an unfinished one ends the list.
QList<Tag> readTags(QStringView text)
{
    QList<Tag> tags;
    qsizetype i = text.indexOf(u'<');
    while (i >= 0) {
        if (text.mid(i).startsWith(u"<!--")) {
            const qsizetype close = text.indexOf(u"-->", i + 4);
            if (close < 0)
                break;
            i = text.indexOf(u'<', close + 3);
            continue;
        }
        const std::optional<Tag> tag = readTag(text, i);
        if (tag)
            tags.append(*tag);
        i = text.indexOf(u'<', tag ? tag->end : i + 1);
    }
    return tags;
}

// The number of an id of the form "h<digits>", or -1.
int topicNumber(const QString &id)
{
    if (id.size() < 2 || (id[0] != u'h' && id[0] != u'H'))
        return -1;
    for (qsizetype i = 1; i < id.size(); ++i) {
        if (!id[i].isDigit())
            return -1;
    }
    bool ok = false;
    const int number = QStringView(id).mid(1).toInt(&ok);
    return ok ? number : -1;
}

bool isHeading(const QString &name)
{
    return name.size() == 2 && name[0] == u'h' && name[1] >= u'1' && name[1] <= u'6';
}

// Where the topic opened by tags[index] begins: at a heading that directly holds the anchor.
qsizetype topicStart(QStringView text, const QList<Tag> &tags, qsizetype index)
{
    const Tag &tag = tags[index];
    if (tag.name != u"a" || index == 0)
        return tag.start;
    const Tag &previous = tags[index - 1];
    const bool adjacent = text.mid(previous.end, tag.start - previous.end).trimmed().isEmpty();
    if (!previous.closing && isHeading(previous.name) && adjacent)
        return previous.start;
    return tag.start;
}

} // namespace

QString helpTopicHtml(QStringView html, int helpContext)
{
    if (helpContext < 0)
        return QString();
    const QList<Tag> tags = readTags(html);
    qsizetype begin = -1;
    qsizetype index = 0;
    for (; index < tags.size(); ++index) {
        if (!tags[index].closing && topicNumber(tags[index].id) == helpContext) {
            begin = topicStart(html, tags, index);
            break;
        }
    }
    if (begin < 0)
        return QString();
    qsizetype end = html.size();
    for (qsizetype next = index + 1; next < tags.size(); ++next) {
        const Tag &tag = tags[next];
        if (tag.closing && tag.name == u"body") {
            end = tag.start;
            break;
        }
        if (!tag.closing && topicNumber(tag.id) >= 0) {
            end = topicStart(html, tags, next);
            break;
        }
    }
    return html.mid(begin, end - begin).trimmed().toString();
}

QString readHelpTopic(const QString &helpFile, int helpContext)
{
    QFile file(platform::toNativePath(helpFile));
    if (helpFile.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > maxHelpFileSize)
        return QString();
    return helpTopicHtml(QString::fromUtf8(file.read(maxHelpFileSize)), helpContext);
}
