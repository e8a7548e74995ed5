#include "media/mediainfo.h"

#include "media/mpegduration.h"
#include "platform/paths.h"

#include <QFile>

namespace media {

MediaInfo readMediaInfo(QIODevice &device)
{
    const DeviceReader reader(device);
    MediaInfo info;
    QByteArray fileStart;
    info.tag = readTag(reader, &fileStart);
    info.duration = headerDuration(reader, fileStart);
    return info;
}

MediaInfo readMediaInfo(const QString &internalPath)
{
    const qint32 shell = shellDuration(internalPath);
    QFile file(platform::toNativePath(internalPath));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {TagRecord(), shell};
    if (shell <= 0)
        return readMediaInfo(file);
    return {readTag(file), shell};
}

} // namespace media
