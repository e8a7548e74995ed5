#include "media/trailingtags.h"

#include "media/bytereader.h"
#include "media/devicewindow.h"

#include <algorithm>
#include <array>

namespace media {
namespace {

constexpr qint64 id3v1Size = 128;
constexpr qint64 enhancedSize = 227;
constexpr qint64 apeFooterSize = 32;
constexpr qint64 apeHeaderSize = 32;
constexpr qsizetype apeSizeOffset = 12;
constexpr qsizetype apeFlagsOffset = 20;
constexpr quint32 apeHasHeaderFlag = 0x80000000;
// Six decimal digits (the size of the block up to them), then "LYRICS200".
constexpr qint64 lyricsTrailerSize = 15;
constexpr qsizetype lyricsSizeDigits = 6;
// The common blocks all lie in the file's last bytes, read at once.
constexpr qint64 tailSize = 512;

// The size of a block of one kind that ends at `end`; 0 when none does.
using BlockSize = qint64 (*)(DeviceWindow &, qint64 end);

qint64 id3v1Block(DeviceWindow &window, qint64 end)
{
    return window.bytesAt(end - id3v1Size, 3) == "TAG" ? id3v1Size : 0;
}

qint64 enhancedBlock(DeviceWindow &window, qint64 end)
{
    return window.bytesAt(end - enhancedSize, 4) == "TAG+" ? enhancedSize : 0;
}

// The footer's size counts the items and the footer; a header, when flagged, comes on top.
qint64 apeTag(DeviceWindow &window, qint64 end)
{
    const ByteReader footer(window.bytesAt(end - apeFooterSize, apeFooterSize));
    bool ok = true;
    const qint64 size = footer.u32le(apeSizeOffset, &ok);
    const quint32 flags = footer.u32le(apeFlagsOffset, &ok);
    if (!ok || !footer.bytes().startsWith("APETAGEX") || size < apeFooterSize)
        return 0;
    return size + ((flags & apeHasHeaderFlag) != 0 ? apeHeaderSize : 0);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The block starts with "LYRICSBEGIN" where the trailer's digits say.
qint64 lyricsBlock(DeviceWindow &window, qint64 end)
{
    const QByteArrayView trailer = window.bytesAt(end - lyricsTrailerSize, lyricsTrailerSize);
    if (trailer.size() != lyricsTrailerSize || !trailer.endsWith("LYRICS200"))
        return 0;
    const QByteArrayView digits = trailer.first(lyricsSizeDigits);
    if (!std::all_of(digits.begin(), digits.end(), isDigit))
        return 0;
    const qint64 size = digits.toLongLong() + lyricsTrailerSize;
    return window.bytesAt(end - size, 11) == "LYRICSBEGIN" ? size : 0;
}

constexpr std::array<BlockSize, 4> blockKinds = {id3v1Block, enhancedBlock, apeTag, lyricsBlock};

} // namespace

qint64 audioEnd(const DeviceReader &device, qint64 audioStart)
{
    DeviceWindow window(device, {});
    qint64 end = device.size();
    // Kept in the window for the blocks' checks.
    window.bytesAt(qMax(audioStart, end - tailSize), tailSize);
    // Each kind is taken once at most, so that a file of nothing but blocks costs a few reads.
    std::array<bool, blockKinds.size()> taken = {};
    for (bool found = true; found;) {
        found = false;
        for (std::size_t kind = 0; kind < blockKinds.size(); ++kind) {
            const qint64 size = taken[kind] ? 0 : blockKinds[kind](window, end);
            if (size > 0 && size <= end - audioStart) {
                end -= size;
                taken[kind] = found = true;
            }
        }
    }
    return end;
}

} // namespace media
