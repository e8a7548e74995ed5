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
    // The same attributes with read-only set or cleared.
    FileAttributes withReadOnly(bool readOnly) const;
    // Everything that keeps a file from being rewritten cleared: read-only (and on Windows hidden
    // and system).
    FileAttributes cleared() const;

    friend bool operator==(FileAttributes, FileAttributes) = default;

private:
    friend std::optional<FileAttributes> fileAttributes(const QString &internalPath);
    friend bool setFileAttributes(const QString &internalPath, FileAttributes attributes);
    explicit FileAttributes(quint32 native) : m_native(native) {}
    quint32 m_native = 0;
};

// The attributes of the file or folder, nullopt when it does not exist or cannot be examined.
std::optional<FileAttributes> fileAttributes(const QString &internalPath);
// Sets what setFileAttributes can set (not the kind); false on failure.
bool setFileAttributes(const QString &internalPath, FileAttributes attributes);

// Makes an existing file writable for the lifetime of the object and then puts its attributes
// back, so that a read-only file (the settings file, a playlist) is still updated and stays
// read-only. A folder or a missing file is left alone.
class WritableForOneWrite {
public:
    explicit WritableForOneWrite(const QString &file) : m_file(file), m_saved(fileAttributes(file))
    {
        if (m_saved && !m_saved->isDirectory())
            setFileAttributes(m_file, m_saved->cleared());
        else
            m_saved.reset();
    }
    ~WritableForOneWrite()
    {
        if (m_saved)
            setFileAttributes(m_file, *m_saved);
    }
    WritableForOneWrite(const WritableForOneWrite &) = delete;
    WritableForOneWrite &operator=(const WritableForOneWrite &) = delete;

private:
    QString m_file;
    std::optional<FileAttributes> m_saved;
};

} // namespace platform
