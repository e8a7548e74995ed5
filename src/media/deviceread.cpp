#include "media/deviceread.h"

#include "platform/randomaccessfile.h"

#include <QIODevice>

namespace media {

DeviceReader::DeviceReader(QIODevice &device)
    : m_device(&device), m_size(qMax<qint64>(0, device.size()))
{
}

DeviceReader::DeviceReader(const platform::RandomAccessFile &file)
    : m_file(&file), m_size(file.size())
{
}

QByteArray DeviceReader::read(qint64 offset, qint64 length) const
{
    QByteArray bytes;
    append(bytes, offset, length);
    return bytes;
}

void DeviceReader::append(QByteArray &bytes, qint64 offset, qint64 length) const
{
    if (offset < 0 || length <= 0 || offset >= m_size || (m_device && !m_device->seek(offset)))
        return;
    const qsizetype oldSize = bytes.size();
    bytes.resize(oldSize + qsizetype(qMin(length, m_size - offset)));
    char *into = bytes.data() + oldSize;
    const qint64 wanted = bytes.size() - oldSize;
    const qint64 got =
        m_device ? m_device->read(into, wanted) : m_file->readAt(offset, into, wanted);
    bytes.resize(oldSize + qsizetype(qMax<qint64>(got, 0)));
}

} // namespace media
