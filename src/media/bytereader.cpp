#include "media/bytereader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace media {
namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool isAsciiLetter(char c)
{
    return asciiLower(c) != asciiUpper(c);
}

// Up to eight bytes from offset as one word, the missing ones 0; the count taken.
quint64 wordAt(QByteArrayView bytes, qsizetype offset, qsizetype *count)
{
    quint64 word = 0;
    *count = qMin<qsizetype>(sizeof(word), bytes.size() - offset);
    std::memcpy(&word, bytes.data() + offset, std::size_t(*count));
    return word;
}

// A needle compared with eight bytes at once, as the tag's identifiers are short: its letters
// match in either case (their 0x20 bit set on both sides), its other bytes match exactly.
// Longer needles are compared byte by byte.
class Needle {
public:
    explicit Needle(QByteArrayView needle) : m_needle(needle)
    {
        if (needle.size() > qsizetype(sizeof(quint64)))
            return;
        std::array<char, sizeof(quint64)> fold{}, value{}, keep{};
        for (qsizetype i = 0; i < needle.size(); ++i) {
            fold[i] = isAsciiLetter(needle[i]) ? 0x20 : 0;
            value[i] = char(needle[i] | fold[i]);
            keep[i] = char(0xFF);
        }
        std::memcpy(&m_fold, fold.data(), sizeof(quint64));
        std::memcpy(&m_value, value.data(), sizeof(quint64));
        std::memcpy(&m_keep, keep.data(), sizeof(quint64));
    }

    // `word` holds the `count` bytes at `at`. False for an empty needle.
    bool isAt(QByteArrayView bytes, qsizetype at, quint64 word, qsizetype count) const
    {
        if (m_needle.isEmpty() || m_needle.size() > bytes.size() - at)
            return false;
        if (m_needle.size() <= count)
            return ((word | m_fold) & m_keep) == m_value;
        for (qsizetype i = 0; i < m_needle.size(); ++i) {
            if (asciiLower(bytes[at + i]) != asciiLower(m_needle[i]))
                return false;
        }
        return true;
    }

private:
    QByteArrayView m_needle;
    quint64 m_fold = 0;
    quint64 m_value = 0;
    quint64 m_keep = 0;
};

// The next place of one byte value from `from` on (memchr), the end when there is none.
struct Cursor {
    char byte;
    qsizetype next;

    void advance(QByteArrayView bytes, qsizetype from)
    {
        const void *found = from < bytes.size() ? std::memchr(bytes.data() + from, byte,
                                                              std::size_t(bytes.size() - from))
                                                : nullptr;
        next = found ? static_cast<const char *>(found) - bytes.data() : bytes.size();
    }
};

} // namespace

// Jumps from one candidate for a needle's first byte (in either case) to the next, so that a
// tag body full of cover art is crossed quickly and only once.
std::vector<qsizetype>
ByteReader::indexesOfIgnoringCase(std::span<const QByteArrayView> needles) const
{
    std::vector<qsizetype> found(needles.size(), -1);
    const std::vector<Needle> compared(needles.begin(), needles.end());
    std::vector<Cursor> cursors;
    qsizetype missing = 0;
    for (QByteArrayView needle : needles) {
        if (needle.isEmpty())
            continue;
        ++missing;
        for (char c : {asciiLower(needle[0]), asciiUpper(needle[0])}) {
            if (std::none_of(cursors.begin(), cursors.end(),
                             [c](const Cursor &cursor) { return cursor.byte == c; })) {
                cursors.push_back({c, 0});
                cursors.back().advance(m_bytes, 0);
            }
        }
    }
    while (missing > 0) {
        const auto cursor =
            std::min_element(cursors.begin(), cursors.end(),
                             [](const Cursor &a, const Cursor &b) { return a.next < b.next; });
        const qsizetype at = cursor->next;
        if (at >= m_bytes.size())
            break;
        qsizetype count = 0;
        const quint64 word = wordAt(m_bytes, at, &count);
        for (std::size_t i = 0; i < needles.size(); ++i) {
            if (found[i] < 0 && compared[i].isAt(m_bytes, at, word, count)) {
                found[i] = at;
                --missing;
            }
        }
        cursor->advance(m_bytes, at + 1);
    }
    return found;
}

qsizetype ByteReader::indexOfIgnoringCase(QByteArrayView needle) const
{
    return indexesOfIgnoringCase({&needle, 1}).front();
}

} // namespace media
