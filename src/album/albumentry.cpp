#include "album/albumentry.h"

#include "settings/settingsstore.h"

namespace album {

namespace {

constexpr int fieldCount = 8;
constexpr int fullVolume = 100;

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

QString encodeAlbumPath(QStringView path)
{
    return path.toString().replace(u'=', u'*');
}

QString decodeAlbumPath(QStringView storedPath)
{
    return storedPath.toString().replace(u'*', u'=');
}

bool albumFileExists(const AlbumEntry &entry)
{
    return settings::fileExists(entry.albumPath());
}

} // namespace album
