#include "media/bytereader.h"

#include <algorithm>
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

// False for an empty needle.
bool startsWithIgnoringCase(QByteArrayView bytes, QByteArrayView needle)
{
    if (needle.isEmpty() || needle.size() > bytes.size())
        return false;
    for (qsizetype i = 0; i < needle.size(); ++i) {
        if (asciiLower(bytes[i]) != asciiLower(needle[i]))
            return false;
    }
    return true;
}

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
        const QByteArrayView rest = m_bytes.sliced(at);
        for (std::size_t i = 0; i < needles.size(); ++i) {
            if (found[i] < 0 && startsWithIgnoringCase(rest, needles[i])) {
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
