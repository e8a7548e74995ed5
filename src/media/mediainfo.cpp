#include "media/mediainfo.h"

#include "media/containerreader.h"
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

MediaInfo mpegInfo(MediaInfo info)
{
    info.format = QStringLiteral("mp3");
    info.tag.chapters = tidyChapters(info.tag.chapters, qint64(info.duration) * 1000);
    return info;
}

} // namespace

MediaInfo readMediaInfo(QIODevice &device)
{
    return mpegInfo(mediaInfoOf(DeviceReader(device)));
}

MediaInfo readMediaInfo(const QString &internalPath)
{
    return readMediaInfo(platform::RandomAccessFile(internalPath), internalPath);
}

MediaInfo readMediaInfo(const platform::RandomAccessFile &file, const QString &internalPath)
{
    if (isContainerFileName(internalPath))
        return readContainerInfo(file, internalPath);
    const qint32 shell = shellDuration(internalPath);
    if (!file.isOpen())
        return {TagRecord(), shell, QString()};
    const DeviceReader reader(file);
    if (shell <= 0)
        return mpegInfo(mediaInfoOf(reader));
    return mpegInfo({readTag(reader), shell, QString()});
}

} // namespace media
