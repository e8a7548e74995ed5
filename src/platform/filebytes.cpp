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
    // The size may have grown since it was checked: read one byte past the limit to tell.
    QByteArray bytes = file.read(maxSize + 1);
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
