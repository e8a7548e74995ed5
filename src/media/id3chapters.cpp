#include "media/id3chapters.h"

#include "media/bytereader.h"
#include "media/deviceread.h"
#include "media/devicewindow.h"
#include "media/frametext.h"

#include <QByteArray>
#include <QHash>

#include <algorithm>
#include <deque>
#include <optional>
#include <vector>

namespace media {
namespace {

constexpr qint64 headerSize = 10;
constexpr qint64 chapterFrameLimit = 1024 * 1024;
constexpr qint64 gatheredLimit = 16 * 1024 * 1024;

// Format flags (a frame header's last byte) of each version.
namespace v3 {
constexpr quint8 compressed = 0x80;
constexpr quint8 encrypted = 0x40;
constexpr quint8 grouped = 0x20;
} // namespace v3
namespace v4 {
constexpr quint8 grouped = 0x40;
constexpr quint8 compressed = 0x08;
constexpr quint8 encrypted = 0x04;
constexpr quint8 unsynchronised = 0x02;
constexpr quint8 lengthIndicator = 0x01;
} // namespace v4

struct FrameHeader {
    QByteArrayView identifier;
    qint64 size;
    quint8 format;
};

bool isIdentifierByte(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The frame header the bytes start with; none at padding, at bytes that are no identifier, or
// when the header is cut short.
std::optional<FrameHeader> frameHeaderAt(QByteArrayView bytes, int majorVersion)
{
    const ByteReader reader(bytes);
    bool ok = true;
    const quint32 size = majorVersion == 3 ? reader.u32be(4, &ok) : reader.sevenBitGroups(4, &ok);
    const quint8 format = reader.u8(headerSize - 1, &ok);
    if (!ok || !std::all_of(bytes.begin(), bytes.begin() + 4, isIdentifierByte))
        return std::nullopt;
    return FrameHeader{bytes.first(4), size, format};
}

// Calls visit(header, content) for each whole frame from the start of the bytes on, until it
// answers false.
template <typename Visit> void forEachFrame(QByteArrayView frames, int majorVersion, Visit visit)
{
    qint64 at = 0;
    while (const auto header = frameHeaderAt(frames.sliced(at), majorVersion)) {
        if (header->size > frames.size() - at - headerSize)
            return;
        if (!visit(*header, frames.sliced(at + headerSize, header->size)))
            return;
        at += headerSize + header->size;
    }
}

// Every FF 00 made FF again.
QByteArray resynchronised(QByteArrayView bytes)
{
    QByteArray plain(bytes.size(), Qt::Uninitialized);
    qsizetype length = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        plain[length++] = bytes[i];
        if (bytes[i] == '\xFF' && i + 1 < bytes.size() && bytes[i + 1] == '\0')
            ++i;
    }
    plain.truncate(length);
    return plain;
}

// What a frame holds once its flags are undone; none when it cannot be read. Resynchronised
// bytes are kept in `owned`, whose elements never move their bytes.
std::optional<QByteArrayView> frameData(const FrameHeader &header, QByteArrayView content,
                                        int majorVersion, bool unsynchronised,
                                        std::deque<QByteArray> &owned)
{
    qint64 added = 0;
    if (majorVersion == 3) {
        if (header.format & (v3::compressed | v3::encrypted))
            return std::nullopt;
        added = header.format & v3::grouped ? 1 : 0;
    } else {
        if (header.format & (v4::compressed | v4::encrypted))
            return std::nullopt;
        added =
            (header.format & v4::grouped ? 1 : 0) + (header.format & v4::lengthIndicator ? 4 : 0);
        // In 2.4 the group byte and length indicator are unsynchronised with the rest.
        if (unsynchronised || (header.format & v4::unsynchronised)) {
            owned.push_back(resynchronised(content));
            content = owned.back();
        }
    }
    if (content.size() < added)
        return std::nullopt;
    return content.sliced(added);
}

// The extended header's whole size from its first four bytes, -1 when they are cut short.
qint64 extendedHeaderSize(QByteArrayView start, int majorVersion)
{
    const ByteReader reader(start);
    bool ok = true;
    // 2.3 counts the bytes after the size field, 2.4 the whole header.
    const qint64 size =
        majorVersion == 3 ? qint64(reader.u32be(0, &ok)) + 4 : reader.sevenBitGroups(0, &ok);
    return ok ? size : -1;
}

// The first readable title frame among a chapter's embedded frames, decoded as frametext
// decodes a 2.4 frame: a slash in a 2.3 title is part of it, not a separator.
QString titleIn(QByteArrayView subFrames, int majorVersion)
{
    QString title;
    std::deque<QByteArray> owned;
    forEachFrame(subFrames, majorVersion, [&](const FrameHeader &header, QByteArrayView content) {
        if (header.identifier != "TIT2")
            return true;
        const auto data = frameData(header, content, majorVersion, false, owned);
        if (!data)
            return true;
        const QByteArrayView kept = data->first(qMin(data->size(), frameContentLimit));
        QByteArray frame = "TIT2";
        frame += char(kept.size() >> 21 & 0x7F);
        frame += char(kept.size() >> 14 & 0x7F);
        frame += char(kept.size() >> 7 & 0x7F);
        frame += char(kept.size() & 0x7F);
        frame += QByteArrayView("\0\0", 2);
        frame += kept;
        const TagText text = frameText("TIT2", frame, 4);
        title = text.isUnicode ? text.unicode : QString::fromLatin1(text.bytes);
        return false;
    });
    return title;
}

struct ChapterFrame {
    QByteArrayView subFrames;
    qint64 startMs;
};

struct TableFrame {
    // The child element identifiers and, after them, the embedded frames.
    QByteArrayView children;
    int count;
};

// The chapter and table frames of a body, each found by its element identifier in constant time.
class ChapterIndex {
public:
    explicit ChapterIndex(int majorVersion) : m_majorVersion(majorVersion) {}

    void add(const FrameHeader &header, QByteArrayView data)
    {
        const qsizetype end = data.indexOf('\0');
        if (end < 0)
            return;
        const QByteArrayView element = data.first(end);
        const ByteReader reader(data);
        bool ok = true;
        if (header.identifier == "CHAP") {
            // Start, end, start offset and end offset; only the start is kept.
            const quint32 start = reader.u32be(end + 1, &ok);
            reader.u32be(end + 13, &ok);
            if (!ok)
                return;
            if (!m_chapterById.contains(element))
                m_chapterById.insert(element, m_chapters.size());
            m_chapters.push_back({data.sliced(end + 17), start});
        } else {
            const quint8 flags = reader.u8(end + 1, &ok);
            const quint8 count = reader.u8(end + 2, &ok);
            if (!ok)
                return;
            if (!m_tableById.contains(element))
                m_tableById.insert(element, m_tables.size());
            if (m_topLevel < 0 && (flags & 0x02))
                m_topLevel = qsizetype(m_tables.size());
            m_tables.push_back({data.sliced(end + 3), count});
        }
    }

    Chapters chapters() const
    {
        Chapters listed = listedChapters();
        if (!listed.isEmpty())
            return listed;
        Chapters all;
        for (const ChapterFrame &frame : m_chapters) {
            if (all.size() == maximumChapters)
                break;
            all.append(chapterOf(frame));
        }
        return all;
    }

private:
    Chapter chapterOf(const ChapterFrame &frame) const
    {
        return {frame.startMs, titleIn(frame.subFrames, m_majorVersion)};
    }

    // The top-level table's chapters, depth first through the tables it names. Each table is
    // entered and each chapter taken once, so a table that names itself or an ancestor ends.
    Chapters listedChapters() const
    {
        Chapters listed;
        if (m_topLevel < 0)
            return listed;
        struct Place {
            QByteArrayView rest;
            int left;
        };
        std::vector<bool> entered(m_tables.size(), false);
        std::vector<bool> taken(m_chapters.size(), false);
        std::vector<Place> path;
        entered[m_topLevel] = true;
        path.push_back({m_tables[m_topLevel].children, m_tables[m_topLevel].count});
        while (!path.empty() && listed.size() < maximumChapters) {
            Place &place = path.back();
            const qsizetype end = place.rest.indexOf('\0');
            if (place.left == 0 || end < 0) {
                path.pop_back();
                continue;
            }
            const QByteArrayView child = place.rest.first(end);
            place.rest = place.rest.sliced(end + 1);
            --place.left;
            if (const auto chapter = m_chapterById.constFind(child);
                chapter != m_chapterById.cend()) {
                if (!taken[*chapter]) {
                    taken[*chapter] = true;
                    listed.append(chapterOf(m_chapters[*chapter]));
                }
            } else if (const auto table = m_tableById.constFind(child);
                       table != m_tableById.cend() && !entered[*table]) {
                entered[*table] = true;
                path.push_back({m_tables[*table].children, m_tables[*table].count});
            }
        }
        return listed;
    }

    int m_majorVersion;
    std::vector<ChapterFrame> m_chapters;
    std::vector<TableFrame> m_tables;
    QHash<QByteArrayView, qsizetype> m_chapterById;
    QHash<QByteArrayView, qsizetype> m_tableById;
    qsizetype m_topLevel = -1;
};

bool isChapterFrame(QByteArrayView identifier)
{
    return identifier == "CHAP" || identifier == "CTOC";
}

} // namespace

Chapters readId3Chapters(QByteArrayView body, int majorVersion, quint8 headerFlags)
{
    if (majorVersion != 3 && majorVersion != 4)
        return {};
    std::deque<QByteArray> owned;
    // 2.3 unsynchronises the tag as a whole, its frame sizes counting the plain bytes.
    if (majorVersion == 3 && (headerFlags & id3Unsynchronised)) {
        owned.push_back(resynchronised(body));
        body = owned.back();
    }
    if (headerFlags & id3ExtendedHeader) {
        const qint64 skipped = extendedHeaderSize(body, majorVersion);
        if (skipped < 0 || skipped > body.size())
            return {};
        body = body.sliced(skipped);
    }
    const bool framesUnsynchronised = majorVersion == 4 && (headerFlags & id3Unsynchronised);
    ChapterIndex index(majorVersion);
    forEachFrame(body, majorVersion, [&](const FrameHeader &header, QByteArrayView content) {
        if (!isChapterFrame(header.identifier))
            return true;
        if (const auto data = frameData(header, content, majorVersion, framesUnsynchronised, owned))
            index.add(header, *data);
        return true;
    });
    return index.chapters();
}

Chapters readId3Chapters(const DeviceReader &device, qint64 bodyOffset, qint64 bodySize,
                         int majorVersion, quint8 headerFlags)
{
    if ((majorVersion != 3 && majorVersion != 4) ||
        (majorVersion == 3 && (headerFlags & id3Unsynchronised)))
        return {};
    DeviceWindow window(device, {});
    const qint64 end = qMin(bodyOffset + bodySize, device.size());
    qint64 at = bodyOffset;
    if (headerFlags & id3ExtendedHeader) {
        const qint64 skipped = extendedHeaderSize(window.bytesAt(at, 4), majorVersion);
        if (skipped < 0)
            return {};
        at += skipped;
    }
    // The frames that matter, one after another as in a body of their own.
    QByteArray gathered;
    while (end - at >= headerSize) {
        const auto header = frameHeaderAt(window.bytesAt(at, headerSize), majorVersion);
        if (!header || header->size > end - at - headerSize)
            break;
        const qint64 frameSize = headerSize + header->size;
        if (isChapterFrame(header->identifier) && header->size <= chapterFrameLimit &&
            gathered.size() + frameSize <= gatheredLimit)
            gathered += window.bytesAt(at, frameSize);
        at += frameSize;
    }
    return readId3Chapters(gathered, majorVersion, headerFlags & ~id3ExtendedHeader);
}

} // namespace media
