#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace history {

// A regular file of this user, open for appending. A link in the file's place is never
// followed, so that one planted there cannot turn the writes onto another file; a FIFO or a
// device is never opened, so nothing waits on one.
class AppendFile {
public:
    enum class Mode { Existing, CreateMissing };

    // The path is internal; a file made here is readable and writable by its owner alone.
    AppendFile(const QString &internalPath, Mode mode);
    ~AppendFile();
    AppendFile(const AppendFile &) = delete;
    AppendFile &operator=(const AppendFile &) = delete;

    bool isOpen() const { return m_handle >= 0; }
    // The size when opened.
    qint64 size() const { return m_size; }
    // Up to length bytes at offset; fewer at the end or on an error.
    QByteArray readAt(qint64 offset, qint64 length) const;
    // The bytes at the file's end in one write; more writes only for the rest of a short one.
    bool write(QByteArrayView bytes) const;
    // Puts what was written on the disk.
    bool sync() const;

private:
    int m_handle = -1;
    qint64 m_size = 0;
};

} // namespace history
