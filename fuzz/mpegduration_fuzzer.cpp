#include "fuzzcheck.h"

#include "media/mediainfo.h"
#include "media/mpegduration.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

// The input is a whole file. The bytes are not copied, so that a read past their end is caught.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray file =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);

    const qint32 duration = media::headerDuration(buffer);
    fuzzCheck(duration >= 0, "negative duration");
    // The scan that reuses the tag's bytes must find what a scan of its own finds.
    const media::MediaInfo info = media::readMediaInfo(buffer);
    fuzzCheck(info.duration == duration, "the duration read with the tag differs");
    return 0;
}
