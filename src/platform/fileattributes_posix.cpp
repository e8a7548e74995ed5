#include "platform/fileattributes.h"

#include "platform/paths.h"

#include <QFile>

#include <sys/stat.h>

namespace platform {

namespace {

// File kind and permission bits; chmod takes only the latter.
constexpr mode_t permissionBits = 07777;

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

FileAttributes FileAttributes::withReadOnly(bool readOnly) const
{
    return FileAttributes(readOnly ? m_native & ~quint32(S_IWUSR) : m_native | S_IWUSR);
}

FileAttributes FileAttributes::cleared() const
{
    return withReadOnly(false);
}

std::optional<FileAttributes> fileAttributes(const QString &internalPath)
{
    const QByteArray name = nativeName(internalPath);
    struct stat status;
    if (name.isEmpty() || ::stat(name.constData(), &status) != 0)
        return std::nullopt;
    return FileAttributes(quint32(status.st_mode));
}

bool setFileAttributes(const QString &internalPath, FileAttributes attributes)
{
    const QByteArray name = nativeName(internalPath);
    const auto current = fileAttributes(internalPath);
    if (!current)
        return false;
    if (*current == attributes)
        return true;
    return ::chmod(name.constData(), mode_t(attributes.m_native) & permissionBits) == 0;
}

} // namespace platform
