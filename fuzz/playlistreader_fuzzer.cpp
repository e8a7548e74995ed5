#include "fuzzcheck.h"

#include "album/playlistreader.h"
#include "platform/codepage.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

// A playlist two folders deep, so that "..\" sources have folders to climb.
struct PlaylistFile {
    QTemporaryDir dir;
    QString nativePath;
    QString internalPath;

    PlaylistFile()
    {
        QDir(dir.path()).mkpath(QStringLiteral("album/disc"));
        nativePath = dir.filePath(QStringLiteral("album/disc/index.wpl"));
        internalPath = platform::fromNativePath(nativePath);
    }
};

PlaylistFile &playlistFile()
{
    static PlaylistFile file;
    return file;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    platform::setAnsiCodePage(65001);
    return 0;
}

// The input is the whole playlist file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const PlaylistFile &playlist = playlistFile();
    QFile file(playlist.nativePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    for (const QString &source : album::readPlaylistSources(playlist.internalPath))
        fuzzCheck(platform::isAbsolutePath(source), "a source is not absolute");
    return 0;
}
