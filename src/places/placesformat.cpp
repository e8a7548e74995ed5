#include "places/placesformat.h"

#include "places/albumkey.h"
#include "player/playbackspeed.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QStringDecoder>

namespace places {

namespace {

constexpr QByteArrayView header = "sonnalby-places\t";
constexpr int formatVersion = 1;
constexpr qsizetype checksumLength = 16;

QByteArray checksumOf(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)
        .toHex()
        .first(checksumLength);
}

// "%", tab, line breaks and other control characters as "%" and two hex digits, so that no text
// can split a field or a line.
QByteArray escaped(const QString &text)
{
    QByteArray out;
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || c == '%')
            out += '%' + QByteArray::number(byte, 16).rightJustified(2, '0');
        else
            out += c;
    }
    return out;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::optional<QString> unescaped(QByteArrayView field)
{
    if (field.size() > maxFieldLength)
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            bytes += field[i];
            continue;
        }
        if (i + 2 >= field.size() || !isHexDigit(field[i + 1]) || !isHexDigit(field[i + 2]))
            return std::nullopt;
        bytes += char(field.sliced(i + 1, 2).toInt(nullptr, 16));
        i += 2;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString numberText(double value)
{
    return QString::number(value, 'g', 6);
}

bool isSecondsText(QStringView text)
{
    const qsizetype dot = text.indexOf(u'.');
    const QStringView whole = dot < 0 ? text : text.first(dot);
    const QStringView fraction = dot < 0 ? QStringView() : text.sliced(dot + 1);
    auto digits = [](QStringView part, qsizetype most) {
        if (part.isEmpty() || part.size() > most)
            return false;
        for (QChar c : part) {
            if (c < u'0' || c > u'9')
                return false;
        }
        return true;
    };
    return digits(whole, 9) && (dot < 0 || digits(fraction, 6));
}

bool isKey(QStringView key)
{
    if (key.size() != 32)
        return false;
    for (QChar c : key) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}

using Fields = QList<QString>;

std::optional<Fields> fieldsOf(QByteArrayView line, qsizetype count)
{
    Fields fields;
    qsizetype begin = 0;
    while (true) {
        const qsizetype tab = line.indexOf('\t', begin);
        const auto field = unescaped(line.sliced(begin, (tab < 0 ? line.size() : tab) - begin));
        if (!field || fields.size() == count)
            return std::nullopt;
        fields.append(*field);
        if (tab < 0)
            break;
        begin = tab + 1;
    }
    if (fields.size() != count)
        return std::nullopt;
    return fields;
}

std::optional<SharedPlace> placeOf(const Fields &fields)
{
    SharedPlace place;
    const auto stamp = readStamp(fields[0]);
    bool speedOk = false;
    bool volumeOk = false;
    place.record = fields[1];
    place.seconds = fields[2];
    place.speed = fields[3].toDouble(&speedOk);
    place.volume = fields[4].toInt(&volumeOk);
    const bool noRecord = place.record.isEmpty() && place.seconds.isEmpty();
    if (!stamp || !speedOk || !volumeOk || !(noRecord || isRecordName(place.record)) ||
        !(noRecord || isSecondsText(place.seconds)) || !(place.speed >= speed::slowest) ||
        !(place.speed <= speed::fastest) || place.volume < 0 || place.volume > 200)
        return std::nullopt;
    place.stamp = *stamp;
    return place;
}

std::optional<SharedBookmark> bookmarkOf(const Fields &fields, bool deleted)
{
    const auto stamp = readStamp(fields[0]);
    if (!stamp || !isRecordName(fields[1]) || !isSecondsText(fields[2]))
        return std::nullopt;
    return SharedBookmark{*stamp, deleted, fields[1], fields[2], fields[3]};
}

// One line into the file being read; false refuses the file.
bool readLine(QByteArrayView line, PlacesFile &file)
{
    const qsizetype tab = line.indexOf('\t');
    const QByteArrayView kind = tab < 0 ? line : line.first(tab);
    const QByteArrayView rest = tab < 0 ? QByteArrayView() : line.sliced(tab + 1);
    if (kind == "computer") {
        const auto fields = fieldsOf(rest, 1);
        if (!fields)
            return false;
        file.computer = fields->at(0);
        return true;
    }
    if (kind == "album") {
        const auto fields = fieldsOf(rest, 2);
        if (!fields || !isKey(fields->at(0)) || file.albums.size() == maxAlbums)
            return false;
        file.albums.append(SharedAlbum{fields->at(0), fields->at(1), {}, {}});
        return true;
    }
    const bool isPlace = kind == "place";
    const bool isBookmark = kind == "bookmark" || kind == "deleted";
    if (!isPlace && !isBookmark)
        return true;
    if (file.albums.isEmpty())
        return false;
    SharedAlbum &album = file.albums.last();
    const auto fields = fieldsOf(rest, isPlace ? 5 : 4);
    if (!fields)
        return false;
    if (isPlace) {
        const auto place = placeOf(*fields);
        if (place)
            album.place = *place;
        return place.has_value();
    }
    const auto bookmark = bookmarkOf(*fields, kind == "deleted");
    if (!bookmark || album.bookmarks.size() == maxBookmarksPerAlbum)
        return false;
    album.bookmarks.append(*bookmark);
    return true;
}

PlacesReading refused(const QString &problem)
{
    return {std::nullopt, problem};
}

} // namespace

bool SharedPlace::sameAs(const SharedPlace &other) const
{
    return record == other.record && seconds == other.seconds &&
           numberText(speed) == numberText(other.speed) && volume == other.volume;
}

QString stampText(Stamp stamp)
{
    return QDateTime::fromSecsSinceEpoch(stamp, Qt::UTC)
        .toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'"));
}

std::optional<Stamp> readStamp(QStringView text)
{
    if (text.size() != 20 || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
        text[13] != u':' || text[16] != u':' || text[19] != u'Z')
        return std::nullopt;
    auto number = [text](qsizetype from, qsizetype length) {
        int value = 0;
        for (QChar c : text.sliced(from, length)) {
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c.unicode() - u'0');
        }
        return value;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
}

QByteArray writePlacesText(const PlacesFile &file)
{
    QByteArray text = header.toByteArray() + QByteArray::number(formatVersion) + '\n';
    text += "computer\t" + escaped(file.computer) + '\n';
    for (const SharedAlbum &album : file.albums) {
        text += "album\t" + album.key.toLatin1() + '\t' + escaped(album.title) + '\n';
        const SharedPlace &place = album.place;
        text += "place\t" + stampText(place.stamp).toLatin1() + '\t' + escaped(place.record) +
                '\t' + escaped(place.seconds) + '\t' + numberText(place.speed).toLatin1() + '\t' +
                QByteArray::number(place.volume) + '\n';
        for (const SharedBookmark &bookmark : album.bookmarks) {
            text += (bookmark.deleted ? "deleted\t" : "bookmark\t") +
                    stampText(bookmark.stamp).toLatin1() + '\t' + escaped(bookmark.record) + '\t' +
                    escaped(bookmark.seconds) + '\t' + escaped(bookmark.title) + '\n';
        }
    }
    return sealedPlacesText(text);
}

QByteArray sealedPlacesText(const QByteArray &lines)
{
    return lines + "end\t" + checksumOf(lines) + '\n';
}

PlacesReading readPlacesText(QByteArrayView bytes)
{
    if (bytes.size() > maxPlacesFileSize)
        return refused(QStringLiteral("too large"));
    if (!bytes.startsWith(header))
        return refused(QStringLiteral("not a places file"));
    // The end line is the file's last: anything else is a file the sync tool has not finished.
    const qsizetype endLine = bytes.chopped(1).lastIndexOf('\n') + 1;
    if (!bytes.endsWith('\n') || endLine == 0 ||
        bytes.sliced(endLine) != "end\t" + checksumOf(bytes.first(endLine)) + '\n')
        return refused(QStringLiteral("cut short"));
    PlacesFile file;
    const QByteArrayView body = bytes.first(endLine);
    qsizetype begin = body.indexOf('\n') + 1;
    while (begin < body.size()) {
        const qsizetype end = body.indexOf('\n', begin);
        if (!readLine(body.sliced(begin, end - begin), file))
            return refused(QStringLiteral("damaged"));
        begin = end + 1;
    }
    return {file, QString()};
}

} // namespace places
