#include "media/bytereader.h"

#include <algorithm>

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

bool equalIgnoringCase(QByteArrayView a, QByteArrayView b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

} // namespace

// Jumps between candidates for the needle's first byte in either case (memchr), so that a
// tag body of cover art is crossed quickly.
qsizetype ByteReader::indexOfIgnoringCase(QByteArrayView needle, qsizetype from) const
{
    if (needle.isEmpty() || from < 0)
        return -1;
    const qsizetype last = m_bytes.size() - needle.size();
    const auto next = [this](char c, qsizetype at) {
        const qsizetype found = m_bytes.indexOf(c, at);
        return found < 0 ? m_bytes.size() : found;
    };
    const char lower = asciiLower(needle[0]);
    const char upper = asciiUpper(needle[0]);
    qsizetype nextLower = next(lower, from);
    qsizetype nextUpper = upper == lower ? nextLower : next(upper, from);
    while (true) {
        const qsizetype at = std::min(nextLower, nextUpper);
        if (at > last)
            return -1;
        if (equalIgnoringCase(m_bytes.sliced(at, needle.size()), needle))
            return at;
        if (at == nextLower)
            nextLower = next(lower, at + 1);
        if (at == nextUpper)
            nextUpper = upper == lower ? nextLower : next(upper, at + 1);
    }
}

} // namespace media
