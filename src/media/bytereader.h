#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <span>
#include <vector>

namespace media {

// Bounds-checked reads over bytes that came from outside. Every read that would pass the end
// answers 0 (or an empty view) and sets *ok to false; a read that succeeds leaves *ok alone, so
// one flag can guard several reads.
class ByteReader {
public:
    explicit ByteReader(QByteArrayView bytes) : m_bytes(bytes) {}

    qsizetype size() const { return m_bytes.size(); }
    QByteArrayView bytes() const { return m_bytes; }

    quint8 u8(qsizetype offset, bool *ok) const
    {
        if (!has(offset, 1)) {
            *ok = false;
            return 0;
        }
        return byteAt(offset);
    }

    // Big-endian number of `width` bytes (1 to 4).
    quint32 uintBe(qsizetype offset, int width, bool *ok) const
    {
        if (width < 1 || width > 4 || !has(offset, width)) {
            *ok = false;
            return 0;
        }
        quint32 value = 0;
        for (int i = 0; i < width; ++i)
            value = (value << 8) | byteAt(offset + i);
        return value;
    }
    quint16 u16be(qsizetype offset, bool *ok) const { return quint16(uintBe(offset, 2, ok)); }
    quint16 u16le(qsizetype offset, bool *ok) const
    {
        const quint16 swapped = u16be(offset, ok);
        return quint16((swapped >> 8) | (swapped << 8));
    }
    quint32 u24be(qsizetype offset, bool *ok) const { return uintBe(offset, 3, ok); }
    quint32 u32be(qsizetype offset, bool *ok) const { return uintBe(offset, 4, ok); }
    quint32 u32le(qsizetype offset, bool *ok) const
    {
        const quint32 swapped = u32be(offset, ok);
        return (swapped >> 24) | ((swapped >> 8) & 0xFF00) | ((swapped << 8) & 0xFF0000) |
               (swapped << 24);
    }

    // Four bytes as 7-bit groups, b0·2^21 + b1·2^14 + b2·2^7 + b3, bytes taken whole as the tag
    // format's own sum does.
    quint32 sevenBitGroups(qsizetype offset, bool *ok) const
    {
        if (!has(offset, 4)) {
            *ok = false;
            return 0;
        }
        return (quint32(byteAt(offset)) << 21) + (quint32(byteAt(offset + 1)) << 14) +
               (quint32(byteAt(offset + 2)) << 7) + quint32(byteAt(offset + 3));
    }

    // Up to `length` bytes from offset: what is there, empty past the end or for a negative
    // length.
    QByteArrayView slice(qsizetype offset, qint64 length) const
    {
        if (offset < 0 || offset >= m_bytes.size() || length <= 0)
            return {};
        return m_bytes.sliced(offset, qsizetype(qMin<qint64>(length, m_bytes.size() - offset)));
    }

    // First occurrence of an ASCII needle, letters matched without regard to case; -1 when there
    // is none.
    qsizetype indexOfIgnoringCase(QByteArrayView needle) const;
    // The first occurrence of each needle, as above, all found in one pass over the bytes.
    std::vector<qsizetype> indexesOfIgnoringCase(std::span<const QByteArrayView> needles) const;

private:
    bool has(qsizetype offset, qsizetype count) const
    {
        return offset >= 0 && count <= m_bytes.size() && offset <= m_bytes.size() - count;
    }
    quint8 byteAt(qsizetype offset) const { return quint8(m_bytes[offset]); }

    QByteArrayView m_bytes;
};

} // namespace media
