#include "fuzzcheck.h"

#include "media/deviceread.h"
#include "media/id3chapters.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

// The first byte chooses the version (its lowest bit: 2.3 or 2.4) and gives the tag header's
// flags (its two highest bits); the rest is the tag body. The bytes are not copied, so that a
// read past their end is caught.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int version = data[0] & 1 ? 4 : 3;
    const quint8 flags = data[0] & (media::id3Unsynchronised | media::id3ExtendedHeader);
    QByteArray body =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));

    const media::Chapters chapters = media::readId3Chapters(body, version, flags);
    fuzzCheck(chapters.size() <= media::maximumChapters, "more chapters than the most kept");
    media::tidyChapters(chapters, 60'000);

    // Frame by frame from a device the same chapters come, but for a 2.3 tag unsynchronised as a
    // whole, which gives none.
    QBuffer buffer(&body);
    buffer.open(QIODevice::ReadOnly);
    const media::Chapters fromDevice =
        media::readId3Chapters(media::DeviceReader(buffer), 0, body.size(), version, flags);
    const bool wholeOnly = version == 3 && (flags & media::id3Unsynchronised);
    fuzzCheck(wholeOnly ? fromDevice.isEmpty() : fromDevice == chapters,
              "the chapters read from the device differ");
    return 0;
}
