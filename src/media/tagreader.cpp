#include "media/tagreader.h"

#include "media/bytereader.h"
#include "media/frametext.h"
#include "media/genrelist.h"
#include "media/id3chapters.h"
#include "platform/randomaccessfile.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

namespace media {
namespace {

constexpr qint64 id3v2HeaderSize = 10;
constexpr qint64 id3v2SizeLimit = qint64(1) << 28;
constexpr qint64 id3v1Size = 128;
constexpr qint64 enhancedSize = 227;
constexpr qint64 tailSize = id3v1Size + enhancedSize;

// Frame identifiers by version, in the order of frameFields; version 2.2 is searched for its
// track with the identifier of the later versions.
constexpr std::array<QByteArrayView, 6> version22Frames = {"TT2", "TOA", "TAL",
                                                           "TCO", "TYE", "TRCK"};
constexpr std::array<QByteArrayView, 6> version23Frames = {"TIT2", "TPE1", "TALB",
                                                           "TCON", "TYER", "TRCK"};
constexpr std::array<TagText TagRecord::*, 4> frameFields = {&TagRecord::title, &TagRecord::artist,
                                                             &TagRecord::album, &TagRecord::genre};
constexpr std::size_t yearFrame = 4;
constexpr std::size_t trackFrame = 5;

// A fixed-width text field of the ID3v1 or the enhanced block.
struct Field {
    qsizetype offset;
    qsizetype width;
};
namespace id3v1 {
constexpr Field title{3, 30};
constexpr Field artist{33, 30};
constexpr Field album{63, 30};
constexpr Field year{93, 4};
constexpr Field comment{97, 28};
constexpr qsizetype trackMarker = 125;
constexpr qsizetype track = 126;
constexpr qsizetype genre = 127;
} // namespace id3v1
namespace enhanced {
constexpr Field title{4, 60};
constexpr Field artist{64, 60};
constexpr Field album{124, 60};
constexpr Field genre{185, 30};
} // namespace enhanced

// A tag body up to this size is read whole and searched in memory; a larger one (only cover art
// makes one that large) is searched piece by piece, so no tag ever costs more memory than this.
constexpr qint64 wholeBodyLimit = 16 * 1024 * 1024;
constexpr qint64 bodyPieceSize = 1024 * 1024;

// The file's first bytes: the ID3v2 header and, when the tag is usable and not too large, its
// body after it.
struct FileStart {
    QByteArray bytes;
    int majorVersion = 0;
    quint8 flags = 0;
    qint64 bodySize = 0;

    bool hasWholeBody() const { return bodySize <= wholeBodyLimit; }
    QByteArrayView body() const { return ByteReader(bytes).slice(id3v2HeaderSize, bodySize); }
};

// Reads `readAhead` bytes (at least the header) at once, then what the body still needs when it
// is read whole. The tag counts only for versions 2 to 4 and a size below 2^28 and below the
// file's length; a body cut by the end of the file is read as far as it goes.
FileStart readFileStart(const DeviceReader &device, qint64 readAhead)
{
    FileStart start{device.read(0, qMax(id3v2HeaderSize, readAhead))};
    const ByteReader header(start.bytes);
    bool ok = true;
    const int majorVersion = header.u8(3, &ok);
    const quint8 flags = header.u8(5, &ok);
    const qint64 size = header.sevenBitGroups(6, &ok);
    if (!ok || start.bytes.first(3).compare("ID3", Qt::CaseInsensitive) != 0)
        return start;
    if (majorVersion < 2 || majorVersion > 4 || size >= id3v2SizeLimit || size >= device.size())
        return start;
    start.majorVersion = majorVersion;
    start.flags = flags;
    start.bodySize = size;
    const qint64 tagEnd = id3v2HeaderSize + size;
    if (start.hasWholeBody() && start.bytes.size() < tagEnd)
        device.append(start.bytes, start.bytes.size(), tagEnd - start.bytes.size());
    return start;
}

// The frames' texts as frameTexts finds them in the whole body, from a body read in overlapping
// pieces: each identifier's first occurrence, then only as much of its frame as is kept.
std::vector<TagText> frameTextsInPieces(std::span<const QByteArrayView> identifiers,
                                        const DeviceReader &device, qint64 bodySize,
                                        int majorVersion)
{
    std::vector<TagText> texts(identifiers.size());
    std::vector<bool> found(identifiers.size(), false);
    qsizetype longest = 0;
    for (QByteArrayView identifier : identifiers)
        longest = qMax(longest, identifier.size());
    const qint64 frameSize = frameHeaderSize(majorVersion) + frameContentLimit;
    // One buffer for every piece: resizing keeps its room.
    QByteArray piece;
    for (qint64 offset = 0; offset < bodySize; offset += bodyPieceSize - longest + 1) {
        piece.resize(0);
        device.append(piece, id3v2HeaderSize + offset, qMin(bodyPieceSize, bodySize - offset));
        const std::vector<qsizetype> places = ByteReader(piece).indexesOfIgnoringCase(identifiers);
        for (std::size_t i = 0; i < identifiers.size(); ++i) {
            if (found[i] || places[i] < 0)
                continue;
            found[i] = true;
            const qint64 at = offset + places[i];
            const QByteArray frame =
                device.read(id3v2HeaderSize + at, qMin(frameSize, bodySize - at));
            texts[i] = frameText(identifiers[i], frame, majorVersion);
        }
        if (piece.size() < qMin(bodyPieceSize, bodySize - offset) ||
            std::all_of(found.begin(), found.end(), [](bool done) { return done; }))
            break;
    }
    return texts;
}

void readId3v2Fields(TagRecord &record, const FileStart &start, const DeviceReader &device)
{
    const int majorVersion = start.majorVersion;
    const auto &identifiers = majorVersion == 2 ? version22Frames : version23Frames;
    const std::vector<TagText> texts =
        start.hasWholeBody()
            ? frameTexts(identifiers, start.body(), majorVersion)
            : frameTextsInPieces(identifiers, device, start.bodySize, majorVersion);
    for (std::size_t i = 0; i < frameFields.size(); ++i)
        record.*frameFields[i] = texts[i];
    record.chapters =
        start.hasWholeBody()
            ? readId3Chapters(start.body(), majorVersion, start.flags)
            : readId3Chapters(device, id3v2HeaderSize, start.bodySize, majorVersion, start.flags);
    record.year = leadingNumber(texts[yearFrame]);
    record.track = leadingNumber(texts[trackFrame]);
    record.version = float(2 + majorVersion / 10.0);
}

// Trailing NULs and blanks dropped, then leading blanks.
QByteArray fieldText(QByteArrayView block, Field field)
{
    QByteArrayView text = ByteReader(block).slice(field.offset, field.width);
    while (text.endsWith('\0') || text.endsWith(' '))
        text.chop(1);
    while (text.startsWith(' '))
        text = text.sliced(1);
    return text.toByteArray();
}

// Both values joined by "-" when both are there, else the one that is.
TagText joined(const QByteArray &version1, const QByteArray &enhancedValue)
{
    if (!version1.isEmpty() && !enhancedValue.isEmpty())
        return TagText::fromBytes(version1 + '-' + enhancedValue);
    return TagText::fromBytes(version1.isEmpty() ? enhancedValue : version1);
}

// The blocks at the end of the file, each empty when absent: ID3v1 in the last 128 bytes of a
// file longer than that, the enhanced block in the 227 before them in a file longer than 355.
struct EndBlocks {
    QByteArray version1;
    QByteArray enhanced;
};

EndBlocks readEndBlocks(const DeviceReader &device)
{
    const qint64 length = device.size();
    if (length <= id3v1Size)
        return {};
    const QByteArray tail = device.read(qMax<qint64>(0, length - tailSize), tailSize);
    EndBlocks blocks;
    if (tail.size() >= id3v1Size && tail.last(id3v1Size).startsWith("TAG"))
        blocks.version1 = tail.last(id3v1Size);
    if (length > tailSize && tail.size() == tailSize && tail.startsWith("TAG+"))
        blocks.enhanced = tail.first(enhancedSize);
    return blocks;
}

// Fills what the ID3v2 tag left empty.
void fillFromEndBlocks(TagRecord &record, const EndBlocks &blocks)
{
    const auto joinedField = [&blocks](Field version1Field, Field enhancedField) {
        return joined(fieldText(blocks.version1, version1Field),
                      fieldText(blocks.enhanced, enhancedField));
    };
    if (record.title.isEmpty())
        record.title = joinedField(id3v1::title, enhanced::title);
    if (record.artist.isEmpty())
        record.artist = joinedField(id3v1::artist, enhanced::artist);
    if (record.album.isEmpty())
        record.album = joinedField(id3v1::album, enhanced::album);
    record.comment = TagText::fromBytes(fieldText(blocks.version1, id3v1::comment));
    if (record.year == 0)
        record.year = leadingNumber(TagText::fromBytes(fieldText(blocks.version1, id3v1::year)));
    if (blocks.version1.isEmpty())
        return;
    const ByteReader reader(blocks.version1);
    bool ok = true;
    // In a version 1.0 block the comment runs over the track byte; only a NUL before it marks
    // a track number.
    if (record.track == 0 && reader.u8(id3v1::trackMarker, &ok) == 0)
        record.track = reader.u8(id3v1::track, &ok);
    if (record.genre.isEmpty()) {
        const QByteArrayView name = genreName(reader.u8(id3v1::genre, &ok));
        record.genre = TagText::fromBytes(
            name.isEmpty() ? fieldText(blocks.enhanced, enhanced::genre) : name.toByteArray());
    }
}

} // namespace

TagRecord readTag(const DeviceReader &device, QByteArray *fileStart)
{
    const FileStart start = readFileStart(device, fileStart ? firstScanChunkSize : 0);
    if (fileStart)
        *fileStart = start.bytes;
    TagRecord record;
    if (start.majorVersion != 0)
        readId3v2Fields(record, start, device);
    const EndBlocks blocks = readEndBlocks(device);
    fillFromEndBlocks(record, blocks);
    if (start.majorVersion == 0)
        record.version = !blocks.enhanced.isEmpty()   ? 1.2f
                         : !blocks.version1.isEmpty() ? 1.1f
                                                      : 0.0f;
    return record;
}

TagRecord readTag(QIODevice &device)
{
    return readTag(DeviceReader(device));
}

TagRecord readTag(const QString &internalPath)
{
    const platform::RandomAccessFile file(internalPath);
    if (!file.isOpen())
        return {};
    return readTag(DeviceReader(file));
}

} // namespace media
