#include "platform/fileattributes.h"

#include "platform/paths.h"

#include <QFile>

#include <sys/stat.h>

namespace platform {

namespace {

QByteArray nativeName(const QString &internalPath)
{
    return QFile::encodeName(toNativePath(internalPath));
}

} // namespace

bool FileAttributes::isReadOnly() const
{
    return (m_native & S_IWUSR) == 0;
}

bool FileAttributes::isDirectory() const
{
    return S_ISDIR(m_native);
}

bool FileAttributes::isRegularFile() const
{
    return S_ISREG(m_native);
}

std::optional<FileAttributes> fileAttributes(const QString &internalPath)
{
    const QByteArray name = nativeName(internalPath);
    struct stat status;
    if (name.isEmpty() || ::stat(name.constData(), &status) != 0)
        return std::nullopt;
    return FileAttributes(quint32(status.st_mode));
}

} // namespace platform
