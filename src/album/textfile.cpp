#include "album/textfile.h"

#include "platform/codepage.h"
#include "platform/filebytes.h"
#include "platform/paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <optional>

namespace album {

namespace {

constexpr std::array timeKinds = {QFileDevice::FileAccessTime, QFileDevice::FileModificationTime,
                                  QFileDevice::FileBirthTime};

using FileTimes = std::array<QDateTime, timeKinds.size()>;

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

// Times the system cannot set (a creation time off Windows) are left as they are. Setting them
// needs no write permission, so a read-only file gets them too.
void restoreTimes(const QString &nativePath, const FileTimes &times)
{
    QFile file(nativePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly))
        return;
    for (std::size_t i = 0; i < timeKinds.size(); ++i) {
        if (times[i].isValid())
            file.setFileTime(times[i], timeKinds[i]);
    }
}

} // namespace

QString readTextFile(const QString &path)
{
    const auto bytes = platform::readFileBytes(platform::toNativePath(path), maxTextFileSize);
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
    if (existed && options.compareFirst &&
        platform::readFileBytes(nativePath, maxTextFileSize) == ansiText)
        return true;

    const auto times = existed && options.keepTimes ? std::optional(timesOf(info)) : std::nullopt;

    QDir().mkpath(info.absolutePath());
    const bool written = platform::writeFileBytes(nativePath, ansiText);
    if (written && times)
        restoreTimes(nativePath, *times);
    return written;
}

} // namespace album
