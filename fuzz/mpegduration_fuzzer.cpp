#include "fuzzcheck.h"

#include "media/mediainfo.h"
#include "media/mpegduration.h"
#include "media/mpegstream.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <optional>

// The input is a whole file. The bytes are not copied, so that a read past their end is caught.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray file =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);

    fuzzCheck(media::headerDuration(buffer) >= 0, "negative duration");
    const media::DeviceReader reader(buffer);
    // No stream lasts longer than its bytes at 8 kbit/s, the lowest bit rate, give or take the
    // rounding of a shortest frame's length.
    const std::optional<qint64> units = media::streamDurationUnits(reader);
    fuzzCheck(!units || (*units >= 0 && *units <= qint64(size) * 10'100),
              "stream length out of bounds");
    // The scans that reuse the tag's bytes must find what scans of their own find.
    const media::MediaInfo info = media::readMediaInfo(buffer);
    fuzzCheck(info.duration == media::deviceDuration(reader),
              "the duration read with the tag differs");
    return 0;
}
