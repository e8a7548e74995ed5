#include "fuzzcheck.h"

#include "media/deviceread.h"
#include "media/tagreader.h"

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

    const media::TagRecord record = media::readTag(buffer);
    record.title.toString(1252);
    record.artist.toString(932);

    QByteArray fileStart;
    const media::TagRecord again = media::readTag(media::DeviceReader(buffer), &fileStart);
    fuzzCheck(again == record, "the tag read for a following scan differs");
    fuzzCheck(file.startsWith(fileStart), "the start handed on is not the file's start");
    fuzzCheck(fileStart.size() >= qMin<qsizetype>(file.size(), media::firstScanChunkSize),
              "the start handed on is shorter than the scan's first piece");
    return 0;
}
