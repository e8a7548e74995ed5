#include "album/albumentry.h"

#include "album/accessstamp.h"

#include "player/playbackspeed.h"
#include "settings/settingsstore.h"

#include <algorithm>

namespace album {

namespace {

constexpr int fieldCount = 8;
constexpr int fullVolume = 100;

// Characters of a path that the stored forms would take for their own, and their references:
// a line break would end the entry's line, "|" a mark, "/" a mark's path (only an address holds
// one) and "*" would read back as the "=" it stands for; "&" only where "#" follows it, so that
// a name that holds a reference reads back as it was.
struct PathEscape {
    QChar character;
    QStringView reference;
};
constexpr PathEscape pathEscapes[] = {
    {u'&', u"&#38;"},  {u'\n', u"&#10;"}, {u'\r', u"&#13;"},
    {u'|', u"&#124;"}, {u'/', u"&#47;"},  {u'*', u"&#42;"},
};

} // namespace

AlbumEntry AlbumEntry::fromText(QStringView text)
{
    QStringList fields;
    for (QStringView field : text.split(u'='))
        fields.append(field.toString());
    while (fields.size() < fieldCount)
        fields.append(QString());
    AlbumEntry entry;
    entry.path = fields[0];
    entry.access = fields[1];
    entry.title = fields[2];
    entry.codepage = fields[3];
    entry.records = fields[4];
    entry.duration = fields[5];
    entry.volume = fields[6];
    entry.marks = fields[7];
    entry.extraFields = fields.mid(fieldCount);
    return entry;
}

QString AlbumEntry::toText() const
{
    return path + u'=' + valueText();
}

QString AlbumEntry::valueText() const
{
    QStringList fields{access, title, codepage, records, duration, volume, marks};
    fields.append(extraFields);
    return fields.join(u'=');
}

QString AlbumEntry::albumPath() const
{
    return decodeAlbumPath(path);
}

FixedPoint AlbumEntry::durationSeconds() const
{
    return FixedPoint::parse(duration);
}

int AlbumEntry::volumeLevel() const
{
    const FixedPoint level = FixedPoint::parse(volume);
    if (level < FixedPoint::fromInt(1) || level > FixedPoint::fromInt(fullVolume))
        return fullVolume;
    return int(level.roundedToInt());
}

double AlbumEntry::speed() const
{
    return extraFields.isEmpty() ? speed::normal : speedFromField(extraFields.first());
}

int AlbumEntry::codePageNumber() const
{
    return int(FixedPoint::parse(codepage).roundedToInt());
}

QStringList AlbumEntry::bookmarks() const
{
    QStringList items = marks.split(u'|');
    items.removeFirst();
    items.removeAll(QString());
    return items;
}

qint64 AlbumEntry::lastPlayedMsecs() const
{
    return access.trimmed().isEmpty()
               ? 0
               : readAccessStamp(access, QDateTime::currentDateTime()).toMSecsSinceEpoch();
}

QString storedTitle(QString references)
{
    return references.replace(u'=', QStringLiteral("&#61;"));
}

void AlbumEntry::setSpeed(double rate)
{
    if (!sameSpeed(rate, speed::normal)) {
        if (extraFields.isEmpty())
            extraFields.append(QString());
        extraFields.first() = speedFieldText(rate);
    } else if (extraFields.size() == 1) {
        extraFields.clear();
    } else if (!extraFields.isEmpty()) {
        extraFields.first().clear();
    }
}

QString encodeAlbumPath(QStringView path)
{
    // Most paths hold nothing to encode: thousands are encoded at every start.
    const auto special = [](QChar c) {
        return c == u'=' || std::any_of(std::begin(pathEscapes), std::end(pathEscapes),
                                        [c](const PathEscape &e) { return e.character == c; });
    };
    if (std::none_of(path.begin(), path.end(), special))
        return path.toString();
    QString stored;
    stored.reserve(path.size());
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        const auto escape = std::find_if(std::begin(pathEscapes), std::end(pathEscapes),
                                         [c](const PathEscape &e) { return e.character == c; });
        if (c == u'=')
            stored += u'*';
        else if (escape == std::end(pathEscapes) ||
                 (c == u'&' && !path.sliced(i).startsWith(u"&#")))
            stored += c;
        else
            stored += escape->reference;
    }
    return stored;
}

QString decodeAlbumPath(QStringView storedPath)
{
    // Every reference begins with "&".
    if (!storedPath.contains(u'*') && !storedPath.contains(u'&'))
        return storedPath.toString();
    QString path;
    path.reserve(storedPath.size());
    for (qsizetype i = 0; i < storedPath.size(); ++i) {
        const QStringView rest = storedPath.sliced(i);
        const auto escape = rest.front() != u'&'
                                ? std::end(pathEscapes)
                                : std::find_if(std::begin(pathEscapes), std::end(pathEscapes),
                                               [rest](const PathEscape &e) {
                                                   return rest.startsWith(e.reference);
                                               });
        if (rest.front() == u'*') {
            path += u'=';
        } else if (escape != std::end(pathEscapes)) {
            path += escape->character;
            i += escape->reference.size() - 1;
        } else {
            path += rest.front();
        }
    }
    return path;
}

bool albumFileExists(const AlbumEntry &entry)
{
    return settings::fileExists(entry.albumPath());
}

} // namespace album
