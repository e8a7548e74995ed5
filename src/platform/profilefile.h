#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

// The stand-in for the Windows profile-file functions, over ANSI bytes. Section and key names
// match without regard to case (the first match counts); keys and values are trimmed of blanks;
// lines end with LF or CR LF when read and with CR LF when written; lines a write does not touch
// stay byte for byte. Every write replaces the file through a temporary file and a rename. What a
// write could not put on disk (a full disk, a read-only mount) is kept in memory and read in the
// file's place until a later write of that file succeeds, so nothing is lost while the fault
// lasts.
namespace platform {

// Splits bytes into lines ended by LF or CR LF; the last line may lack its end.
class LineScanner {
public:
    explicit LineScanner(QByteArrayView data) : m_data(data) {}

    // The next line without its end; false after the last one.
    bool next(QByteArrayView &line);
    // Where the line last returned begins, and where the one after it begins.
    qsizetype lineBegin() const { return m_lineBegin; }
    qsizetype nextBegin() const { return m_next; }

private:
    QByteArrayView m_data;
    qsizetype m_lineBegin = 0;
    qsizetype m_next = 0;
};

class ProfileFile {
public:
    // Told of every write of a whole file: its internal path, and 0 or why it failed (an errno
    // value; EFBIG for content past maxFileSize).
    using SaveObserver = std::function<void(const QString &internalPath, int error)>;
    // Larger files are not read: they read as missing values and are never rewritten.
    static constexpr qsizetype maxFileSize = 16 * 1024 * 1024;

    // The path is in the program's internal form.
    explicit ProfileFile(const QString &internalPath) : m_path(internalPath) {}

    // GetPrivateProfileString: the key's value, trimmed, one pair of surrounding double quotes
    // dropped; defaultValue when the file, the section or the key is missing. At most
    // bufferSize - 1 bytes. Keys that are paths may be matched exactly (keyCase).
    QByteArray readString(QByteArrayView section, QByteArrayView key, QByteArrayView defaultValue,
                          qsizetype bufferSize,
                          Qt::CaseSensitivity keyCase = Qt::CaseInsensitive) const;
    // GetPrivateProfileSection: the section's lines as "key=value" (a line without "=" trimmed
    // as it is), each ended by NUL; blank and comment lines left out. At most bufferSize - 1
    // bytes; a line cut by the limit ends the result.
    QByteArray readSection(QByteArrayView section, qsizetype bufferSize) const;

    // WritePrivateProfileString: replaces the key's line, else appends the key after the last
    // non-blank line of its section, else appends the section at the end of the file. Creates a
    // missing file. False when the file could not be read or written; it is then unchanged.
    bool writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value,
                     Qt::CaseSensitivity keyCase = Qt::CaseInsensitive) const;
    // WritePrivateProfileSection: replaces the section's body with the NUL-separated lines of
    // body (up to the first empty one), else appends the section. False as for writeString.
    bool writeSection(QByteArrayView section, QByteArrayView body) const;

    // The whole file: empty for a missing file; nullopt when it exists but is no regular file,
    // cannot be read or is larger than maxFileSize.
    std::optional<QByteArray> readBytes() const;
    // Replaces the whole file at once (temporary file and rename); false leaves it as it was,
    // also for content larger than maxFileSize, which could not be read back and is not kept.
    bool writeBytes(QByteArrayView content) const;

    // False while content that a write could not put on disk waits for the next write.
    bool isSaved() const;
    // One observer for the process; an empty one stops the telling.
    static void setSaveObserver(SaveObserver observer);

    // The text fit for one line of the file: CR, LF and NUL become blanks.
    static QByteArray singleLine(QByteArrayView text);

private:
    QString m_path;
};

} // namespace platform
