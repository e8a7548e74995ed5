#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// A file's attributes in the system's own form: the attribute bits on Windows, the file kind and
// permission bits elsewhere. Off Windows "read-only" means the owner may not write.
namespace platform {

class FileAttributes {
public:
    bool isReadOnly() const;
    bool isDirectory() const;
    // A plain file: no folder, FIFO, device or socket.
    bool isRegularFile() const;
    friend bool operator==(FileAttributes, FileAttributes) = default;

private:
    friend std::optional<FileAttributes> fileAttributes(const QString &internalPath);
    explicit FileAttributes(quint32 native) : m_native(native) {}
    quint32 m_native = 0;
};

// The attributes of the file or folder, nullopt when it does not exist or cannot be examined.
std::optional<FileAttributes> fileAttributes(const QString &internalPath);

} // namespace platform
