#include "media/mpegstream.h"

#include "media/bytereader.h"
#include "media/devicewindow.h"
#include "media/mpegframe.h"
#include "media/trailingtags.h"

#include <array>
#include <cmath>
#include <limits>

namespace media {
namespace {

constexpr qint64 unitsPerSecond = 10'000'000;
constexpr qint64 largestSeconds = std::numeric_limits<qint32>::max();
// No file is this large; a byte count cut to it keeps its count of bits in 64 bits.
constexpr qint64 largestByteCount = qint64(1) << 59;
// Junk between the ID3v2 tag and the first frame is searched this far for it.
constexpr qint64 resyncLimit = 1 << 20;
// Frames in a row, the first included, that make a sync the start of a stream: junk does not
// hold this many headers of one stream each where the last one's length says.
constexpr int chainLength = 4;
// 144 × 320000 / 32000 + 1 and 72 × 160000 / 8000 + 1: the longest Layer III frame.
constexpr qint64 longestFrame = 1441;
constexpr quint32 anyStream = 0;
// Windows spread over the audio whose frames give the average bit rate, and the bytes of each
// that frames may start in.
constexpr qint64 rateWindows = 16;
constexpr qint64 rateWindowSize = 4096;

// A header in a first frame that stands for the stream instead of holding audio: its marker,
// where the marker starts (after the side information, or at a fixed offset), where the frame
// count is after the marker, and whether the flags before it say that the count is there.
struct VbrHeaderFormat {
    QByteArrayView marker;
    bool afterSideInformation;
    qsizetype fixedOffset;
    qsizetype framesOffset;
    bool flagged;
};
constexpr quint32 framesFlag = 1;
constexpr qsizetype xingFlagsOffset = 4;
constexpr std::array<VbrHeaderFormat, 3> vbrHeaderFormats = {{
    {"Xing", true, 0, 8, true},
    {"Info", true, 0, 8, true},
    {"VBRI", false, 36, 14, false},
}};

// The frames of the stream a window holds: how many, their bytes, their lowest and highest bit
// rates.
struct WindowFrames {
    qint64 frames = 0;
    qint64 bytes = 0;
    qint32 lowest = std::numeric_limits<qint32>::max();
    qint32 highest = 0;

    void add(const FrameHeader &header)
    {
        ++frames;
        bytes += header.length;
        lowest = qMin(lowest, header.bitRate);
        highest = qMax(highest, header.bitRate);
    }
    bool isConstant() const { return lowest == highest; }
};

struct Frame {
    qint64 offset;
    FrameHeader header;

    qint64 end() const { return offset + header.length; }
};

// `amount` at `perSecond` of it a second, in 100-nanosecond units, exactly and without overflow:
// whole seconds beyond what a duration holds are cut.
qint64 unitsOf(qint64 amount, qint64 perSecond)
{
    const qint64 seconds = qMin(amount / perSecond, largestSeconds);
    return seconds * unitsPerSecond + amount % perSecond * unitsPerSecond / perSecond;
}

// One measurement over the device, read through one window; the end of the audio is found the
// first time it is needed.
class StreamMeasure {
public:
    StreamMeasure(const DeviceReader &device, const QByteArray &fileStart)
        : m_device(device), m_window(device, fileStart),
          m_audioStart(frameScanStart(m_window.bytesAt(0, id3v2HeaderSize), device.size()))
    {
    }

    std::optional<qint64> durationUnits();

private:
    std::optional<FrameHeader> headerAt(qint64 offset, quint32 streamBits);
    bool chained(qint64 offset, const FrameHeader &header);
    std::optional<Frame> firstFrame(qint64 from, qint64 to, quint32 streamBits);
    std::optional<quint32> vbrFrameCount(const Frame &frame);
    WindowFrames framesFrom(qint64 offset, qint64 end, quint32 streamBits);
    WindowFrames framesWithin(qint64 start, qint64 end, quint32 streamBits);
    std::optional<qint64> averageBitRate(qint64 from, qint64 to, const FrameHeader &stream);
    qint64 audioEnd();

    const DeviceReader &m_device;
    DeviceWindow m_window;
    qint64 m_audioStart;
    std::optional<qint64> m_audioEnd;
};

qint64 StreamMeasure::audioEnd()
{
    if (!m_audioEnd)
        m_audioEnd = media::audioEnd(m_device, m_audioStart);
    return *m_audioEnd;
}

// The header at offset when it belongs to the stream of those bits (to any with anyStream).
std::optional<FrameHeader> StreamMeasure::headerAt(qint64 offset, quint32 streamBits)
{
    const std::optional<FrameHeader> header = frameHeader(m_window.bytesAt(offset, 4));
    if (header && streamBits != anyStream && header->streamBits != streamBits)
        return std::nullopt;
    return header;
}

// Whether frames of the same stream follow the one at offset where their lengths say, a chain of
// chainLength, or one that ends exactly where the audio does.
bool StreamMeasure::chained(qint64 offset, const FrameHeader &header)
{
    qint64 next = offset + header.length;
    for (int frames = 1; frames < chainLength; ++frames) {
        const std::optional<FrameHeader> following = headerAt(next, header.streamBits);
        if (!following)
            return next == audioEnd();
        next += following->length;
    }
    return true;
}

// The first frame in [from, to) that starts a chain, of the stream of those bits.
std::optional<Frame> StreamMeasure::firstFrame(qint64 from, qint64 to, quint32 streamBits)
{
    for (qint64 at = m_window.findSync(from, to); at >= 0; at = m_window.findSync(at + 1, to)) {
        // The chain's bytes come into the window with the sync's, so that checking it never
        // moves the window back and forth.
        m_window.bytesAt(at, chainLength * longestFrame);
        const std::optional<FrameHeader> header = headerAt(at, streamBits);
        if (header && chained(at, *header))
            return Frame{at, *header};
    }
    return std::nullopt;
}

// nullopt when the frame holds audio; else the stream's frame count its header gives, 0 for none.
std::optional<quint32> StreamMeasure::vbrFrameCount(const Frame &frame)
{
    const ByteReader bytes(m_window.bytesAt(frame.offset, frame.header.length));
    for (const VbrHeaderFormat &format : vbrHeaderFormats) {
        const qsizetype at =
            format.afterSideInformation ? frame.header.sideInformationEnd : format.fixedOffset;
        if (bytes.slice(at, format.marker.size()) != format.marker)
            continue;
        bool ok = true;
        const bool counted =
            !format.flagged || (bytes.u32be(at + xingFlagsOffset, &ok) & framesFlag);
        // A count cut off by the frame's end reads as 0: none.
        return counted ? bytes.u32be(at + format.framesOffset, &ok) : 0;
    }
    return std::nullopt;
}

// The frames of the stream from offset on that start before `end`.
WindowFrames StreamMeasure::framesFrom(qint64 offset, qint64 end, quint32 streamBits)
{
    WindowFrames frames;
    for (std::optional<FrameHeader> header = headerAt(offset, streamBits); header && offset < end;
         header = headerAt(offset, streamBits)) {
        frames.add(*header);
        offset += header->length;
    }
    return frames;
}

// The frames of the stream that start in [start, end), from the first one found there.
WindowFrames StreamMeasure::framesWithin(qint64 start, qint64 end, quint32 streamBits)
{
    const std::optional<Frame> frame = firstFrame(start, end, streamBits);
    return frame ? framesFrom(frame->offset, end, streamBits) : WindowFrames();
}

// The stream's average bit rate, nullopt when no window holds a frame. When the frames at the
// start, still in the window, and those amid the middle of [from, to) share one bit rate, that is
// it; else it follows from the frames per byte in windows amid equal parts of [from, to), each
// window standing for its part's bytes.
std::optional<qint64> StreamMeasure::averageBitRate(qint64 from, qint64 to,
                                                    const FrameHeader &stream)
{
    const qint64 parts = qBound<qint64>(1, (to - from) / rateWindowSize, rateWindows);
    const qint64 partSize = (to - from) / parts;
    const qint64 margin = qMax<qint64>(0, (partSize - rateWindowSize) / 2);
    const auto partFrames = [&](qint64 part) {
        const qint64 start = from + part * partSize + margin;
        const qint64 end = qMin(start + rateWindowSize, from + (part + 1) * partSize);
        return framesWithin(start, end, stream.streamBits);
    };
    const WindowFrames first = framesFrom(from, qMin(from + rateWindowSize, to), stream.streamBits);
    const WindowFrames middle = partFrames(parts / 2);
    if (first.isConstant() && middle.isConstant() && first.lowest == middle.lowest)
        return middle.lowest;
    double framesPerByte = 0;
    int windows = 0;
    const auto add = [&](const WindowFrames &frames) {
        if (frames.frames > 0) {
            framesPerByte += double(frames.frames) / double(frames.bytes);
            ++windows;
        }
    };
    for (qint64 part = 0; part < parts; ++part)
        add(part == parts / 2 ? middle : partFrames(part));
    // A short stream's frames may all lie before its one window.
    if (windows == 0)
        add(first);
    if (windows == 0)
        return std::nullopt;
    // A frame's bytes are its samples / 8 × bit rate / sample rate.
    return qint64(
        std::llround(8.0 * stream.sampleRate * windows / (stream.samplesPerFrame * framesPerByte)));
}

std::optional<qint64> StreamMeasure::durationUnits()
{
    const qint64 scanEnd = qMin(m_device.size(), m_audioStart + resyncLimit);
    const std::optional<Frame> first = firstFrame(m_audioStart, scanEnd, anyStream);
    if (!first)
        return std::nullopt;
    const FrameHeader &header = first->header;
    const std::optional<quint32> count = vbrFrameCount(*first);
    // A count of more frames than the file could hold at the lowest bit rate is a lie.
    if (count && *count > 0 &&
        qint64(*count) * header.shortestLength <= m_device.size() - first->offset)
        return unitsOf(qint64(*count) * header.samplesPerFrame, header.sampleRate);
    const qint64 from = count ? first->end() : first->offset;
    const qint64 to = audioEnd();
    const std::optional<qint64> bitRate = averageBitRate(from, to, header);
    if (!bitRate)
        return std::nullopt;
    return unitsOf(qMin(to - from, largestByteCount) * 8, *bitRate);
}

} // namespace

std::optional<qint64> streamDurationUnits(const DeviceReader &device, const QByteArray &fileStart)
{
    return StreamMeasure(device, fileStart).durationUnits();
}

} // namespace media
