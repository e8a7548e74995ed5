#include "platform/filebytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

std::optional<QByteArray> readFileBytes(const QString &nativePath, qsizetype maxSize)
{
    const QFileInfo info(nativePath);
    if (nativePath.isEmpty() || !info.isFile() || info.size() > maxSize)
        return std::nullopt;
    QFile file(nativePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Sized by the file, not the limit (a read allocates what it is asked for); one byte more
    // tells whether the file grew past the limit since it was checked.
    QByteArray bytes = file.read(qMin<qint64>(info.size(), maxSize) + 1);
    if (bytes.size() > maxSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool writeFileBytes(const QString &nativePath, QByteArrayView content)
{
    QSaveFile file(nativePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() misses a buffered write that failed halfway (a full disk): flush first.
    if (file.write(content.data(), content.size()) != content.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace platform
