#include "media/deviceread.h"

#include <QIODevice>

namespace media {

QByteArray readAt(QIODevice &device, qint64 offset, qint64 length)
{
    const qint64 size = device.size();
    if (offset < 0 || length <= 0 || offset >= size || !device.seek(offset))
        return {};
    return device.read(qMin(length, size - offset));
}

} // namespace media
