#include "media/mediainfo.h"

#include "media/mpegduration.h"
#include "platform/randomaccessfile.h"

namespace media {

namespace {

// Tag and duration through one reader, the scan reusing the bytes the tag read.
MediaInfo mediaInfoOf(const DeviceReader &reader)
{
    MediaInfo info;
    QByteArray fileStart;
    info.tag = readTag(reader, &fileStart);
    info.duration = deviceDuration(reader, fileStart);
    return info;
}

} // namespace

MediaInfo readMediaInfo(QIODevice &device)
{
    return mediaInfoOf(DeviceReader(device));
}

MediaInfo readMediaInfo(const QString &internalPath)
{
    return readMediaInfo(platform::RandomAccessFile(internalPath), internalPath);
}

MediaInfo readMediaInfo(const platform::RandomAccessFile &file, const QString &internalPath)
{
    const qint32 shell = shellDuration(internalPath);
    if (!file.isOpen())
        return {TagRecord(), shell};
    const DeviceReader reader(file);
    if (shell <= 0)
        return mediaInfoOf(reader);
    return {readTag(reader), shell};
}

} // namespace media
