#include "album/textfile.h"

#include "platform/codepage.h"
#include "platform/fileattributes.h"
#include "platform/paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <optional>

namespace album {

namespace {

constexpr std::array timeKinds = {QFileDevice::FileAccessTime, QFileDevice::FileModificationTime,
                                  QFileDevice::FileBirthTime};

using FileTimes = std::array<QDateTime, timeKinds.size()>;

// The whole regular file, nullopt when it cannot be read or is too large.
std::optional<QByteArray> readBytes(const QString &nativePath)
{
    const QFileInfo info(nativePath);
    if (nativePath.isEmpty() || !info.isFile() || info.size() > maxTextFileSize)
        return std::nullopt;
    QFile file(nativePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(maxTextFileSize + 1);
    if (bytes.size() > maxTextFileSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// One line end, CR LF or LF: taking an LF after a CR LF would leave a lone CR behind.
void dropTrailingLineEnd(QByteArray &text)
{
    if (text.endsWith("\r\n"))
        text.chop(2);
    else if (text.endsWith('\n'))
        text.chop(1);
}

FileTimes timesOf(const QFileInfo &info)
{
    FileTimes times;
    for (std::size_t i = 0; i < timeKinds.size(); ++i)
        times[i] = info.fileTime(timeKinds[i]);
    return times;
}

// Times the system cannot set (a creation time off Windows) are left as they are.
void restoreTimes(const QString &nativePath, const FileTimes &times)
{
    QFile file(nativePath);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return;
    for (std::size_t i = 0; i < timeKinds.size(); ++i) {
        if (times[i].isValid())
            file.setFileTime(times[i], timeKinds[i]);
    }
}

bool saveBytes(const QString &nativePath, const QByteArray &bytes)
{
    QSaveFile file(nativePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() misses a buffered write that failed halfway (a full disk): flush first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

QString readTextFile(const QString &path)
{
    const auto bytes = readBytes(platform::toNativePath(path));
    return bytes ? platform::fromAnsi(*bytes) : QString();
}

bool writeTextFile(const QString &path, const QString &text, TextWriteOptions options)
{
    return writeAnsiTextFile(path, platform::toAnsi(text), options);
}

bool writeAnsiTextFile(const QString &path, QByteArray ansiText, TextWriteOptions options)
{
    if (path.isEmpty())
        return false;
    dropTrailingLineEnd(ansiText);
    const QString nativePath = platform::toNativePath(path);
    const QFileInfo info(nativePath);
    const bool existed = info.isFile();
    if (existed && options.compareFirst && readBytes(nativePath) == ansiText)
        return true;

    const auto attributes = existed ? platform::fileAttributes(path) : std::nullopt;
    if (attributes)
        platform::setFileAttributes(path, attributes->cleared());
    const auto times = existed && options.keepTimes ? std::optional(timesOf(info)) : std::nullopt;

    QDir().mkpath(info.absolutePath());
    const bool written = saveBytes(nativePath, ansiText);
    if (written && times)
        restoreTimes(nativePath, *times);
    if (attributes)
        platform::setFileAttributes(path, *attributes);
    return written;
}

} // namespace album
