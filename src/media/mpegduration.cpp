#include "media/mpegduration.h"

#include "media/bytereader.h"
#include "media/deviceread.h"
#include "media/mpegframe.h"
#include "media/mpegstream.h"
#include "platform/randomaccessfile.h"
#include "platform/shellduration.h"

#include <cmath>
#include <limits>
#include <optional>

namespace media {
namespace {

constexpr qint64 unitsPerSecond = 10'000'000;
// The text searched for a Xing header starts with the header's third byte.
constexpr qint64 frameTextSize = 155;
constexpr qint64 largestChunkSize = 65536;

double roundHalfEven(double value)
{
    if (std::abs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

qint32 clampedSeconds(double seconds)
{
    if (!(seconds > 0))
        return 0;
    if (seconds >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    return qint32(seconds);
}

// Walks the device from `start` in growing chunks that overlap by one byte, so that a sync pair
// split between two chunks is still seen; starts from the file's first bytes already read when
// it is given them and they reach past `start`.
class SyncScanner {
public:
    SyncScanner(const DeviceReader &device, const QByteArray &fileStart, qint64 start)
        : m_device(device),
          m_window(start < fileStart.size() ? fileStart.sliced(start) : QByteArray()),
          m_windowStart(start)
    {
    }

    // The file offset of the first sync, -1 when there is none.
    qint64 find()
    {
        qint64 chunkSize = firstScanChunkSize;
        while (true) {
            const qsizetype found = frameSyncIn(m_window);
            if (found >= 0)
                return m_windowStart + found;
            if (m_windowStart + m_window.size() >= m_device.size())
                return -1;
            const qint64 next = m_windowStart + qMax<qsizetype>(m_window.size() - 1, 0);
            m_window = m_device.read(next, chunkSize);
            m_windowStart = next;
            if (m_window.size() < 2)
                return -1;
            chunkSize = qMin(chunkSize * 2, largestChunkSize);
        }
    }

    // Up to count bytes from offset, from the last chunk when it holds them all.
    QByteArray bytesAt(qint64 offset, qint64 count)
    {
        const qint64 end = qMin(offset + count, m_device.size());
        if (offset >= m_windowStart && end <= m_windowStart + m_window.size())
            return m_window.mid(offset - m_windowStart, end - offset);
        return m_device.read(offset, count);
    }

private:
    const DeviceReader &m_device;
    QByteArray m_window;
    qint64 m_windowStart;
};

// The average bit rate from a Xing header in the frame's text (its flags not consulted);
// nullopt when the text holds none or one of its counts is 0 or missing.
std::optional<double> xingBitRate(QByteArrayView frameText, const FrameRates &rates)
{
    const ByteReader reader(frameText);
    const qsizetype at = reader.indexOfIgnoringCase("xing");
    if (at < 0)
        return std::nullopt;
    bool ok = true;
    const quint32 frames = reader.u32be(at + 8, &ok);
    const quint32 bytes = reader.u32be(at + 12, &ok);
    if (!ok || frames == 0 || bytes == 0)
        return std::nullopt;
    const double kilobits =
        double(bytes) / frames * rates.sampleRate / rates.frameSizeFactor / 1000;
    return roundHalfEven(kilobits) * 1000;
}

} // namespace

qint32 secondsFromShellUnits(qint64 units)
{
    if (units <= 0)
        return 0;
    qint64 seconds = units / unitsPerSecond;
    const qint64 rest = units % unitsPerSecond;
    if (rest > unitsPerSecond / 2 || (rest == unitsPerSecond / 2 && seconds % 2 != 0))
        ++seconds;
    return qint32(qMin<qint64>(seconds, std::numeric_limits<qint32>::max()));
}

qint32 shellDuration(const QString &internalPath)
{
    const std::optional<qint64> units = platform::shellDurationUnits(internalPath);
    return units ? secondsFromShellUnits(*units) : 0;
}

qint32 headerDuration(QIODevice &device)
{
    return headerDuration(DeviceReader(device));
}

qint32 headerDuration(const DeviceReader &device, const QByteArray &fileStart)
{
    const QByteArray head =
        fileStart.size() >= id3v2HeaderSize ? fileStart : device.read(0, id3v2HeaderSize);
    // A leading tag is no audio: cover art in it would otherwise add seconds to every file.
    const qint64 audioStart = frameScanStart(head, device.size());
    SyncScanner scanner(device, fileStart, audioStart);
    const qint64 sync = scanner.find();
    if (sync < 0)
        return 0;
    // The sync's second byte, then the frame's text; a sync in the last two bytes has no header
    // after it.
    const QByteArray header = scanner.bytesAt(sync + 1, 1 + frameTextSize);
    if (header.size() < 2)
        return 0;
    const QByteArrayView frameText = QByteArrayView(header).sliced(1);
    const FrameRates rates = frameRates(quint8(header[0]), quint8(frameText[0]));
    const double bitRate = xingBitRate(frameText, rates).value_or(rates.bitRate);
    if (bitRate <= 0)
        return 0;
    return clampedSeconds(roundHalfEven(double(device.size() - audioStart) * 8 / bitRate));
}

qint32 deviceDuration(const DeviceReader &device, const QByteArray &fileStart)
{
    const std::optional<qint64> units = streamDurationUnits(device, fileStart);
    return units ? secondsFromShellUnits(*units) : headerDuration(device, fileStart);
}

// The measurement stands in for the system's service where it has none (or no answer), behind
// it rather than inside the platform layer: it reads bytes through the media readers, over the
// file the caller opened once for the tag too.
qint32 mpegDuration(const QString &internalPath)
{
    const qint32 shell = shellDuration(internalPath);
    if (shell > 0)
        return shell;
    const platform::RandomAccessFile file(internalPath);
    if (!file.isOpen())
        return 0;
    return deviceDuration(DeviceReader(file));
}

} // namespace media
