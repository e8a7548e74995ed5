// Activating an album of 1,000 records in-process, as File > Open does it (open the folder's
// playlist, list every record with its duration and tag title, stand at the first record),
// against sonnalby-probe reading the tags and durations of the same files in one run. Both are
// timed on the wall clock over files in the page cache; the report ends with the ratio.
//
//   activation_bench [benchmark flags...]

#include "corpus.h"

#include "album/albumsession.h"
#include "album/playlistwriter.h"
#include "platform/paths.h"
#include "doubles/fakeplayer.h"
#include "player/playersession.h"
#include "player/recordlist.h"
#include "doubles/scripteddialogkit.h"
#include "doubles/scriptedtitleencodingchooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int recordCount = 1000;
constexpr int framesPerRecord = 191; // about five seconds

QByteArray syncSafe(quint32 value)
{
    QByteArray bytes;
    for (int shift = 21; shift >= 0; shift -= 7)
        bytes.append(char((value >> shift) & 0x7F));
    return bytes;
}

QByteArray textFrame(const char *identifier, const QByteArray &latin1)
{
    const QByteArray content = '\0' + latin1;
    const quint32 size = quint32(content.size());
    QByteArray frame(identifier);
    for (int shift = 24; shift >= 0; shift -= 8)
        frame.append(char((size >> shift) & 0xFF));
    return frame + QByteArray(2, '\0') + content;
}

// An ID3v2.3 tag with title, artist and album, then silent MPEG-1 Layer III frames (32 kbit/s,
// 44.1 kHz, mono), so that every reader finds consistent headers.
QByteArray mp3File(int number)
{
    const QByteArray body = textFrame("TIT2", "Chapter " + QByteArray::number(number)) +
                            textFrame("TPE1", "Sonnalby") + textFrame("TALB", "Benchmark");
    const QByteArray tag = "ID3" + QByteArray("\x03\x00\x00", 3) + syncSafe(body.size()) + body;
    QByteArray frame(104, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x10);
    frame[3] = char(0xC4);
    return tag + frame.repeated(framesPerRecord);
}

[[noreturn]] void giveUp(const char *what)
{
    std::fprintf(stderr, "activation_bench: %s\n", what);
    std::exit(1);
}

// The album folder with its files and playlist; the native paths of the files in name order.
QStringList makeAlbum(const QString &folder)
{
    QStringList files;
    for (int number = 1; number <= recordCount; ++number) {
        const QString path =
            folder + QStringLiteral("/Chapter %1.mp3").arg(number, 4, 10, QLatin1Char('0'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(mp3File(number)) < 0)
            giveUp("cannot write the album's files");
        files.append(path);
    }
    const QString playlist = platform::fromNativePath(folder + QStringLiteral("/index.wpl"));
    if (album::writePlaylistFromFolder(playlist) != album::PlaylistWriteResult::Written)
        giveUp("cannot write the album's playlist");
    return files;
}

// One activation as the program does it, with a player and dialogs that need no window.
// Returns the number of records listed.
int activateAlbum(const QString &folder, const QString &settingsFile)
{
    FakePlayer player;
    RecordList records;
    PlayerSession playerSession(player, records);
    ScriptedDialogKit dialogKit;
    text::ScriptedTitleEncodingChooser encodingChooser;
    album::AlbumSession session({&dialogKit, &encodingChooser, &playerSession, settingsFile});
    session.activate(session.openAlbum(folder));
    // The player's queued events belong to the activation too.
    QCoreApplication::processEvents();
    return records.count();
}

// The probe over every file at once; its number of output lines.
qsizetype runProbe(const QStringList &files)
{
    QProcess probe;
    probe.start(QStringLiteral(SONNALBY_PROBE), files);
    if (!probe.waitForFinished(-1) || probe.exitCode() != 0)
        giveUp("sonnalby-probe failed");
    return probe.readAllStandardOutput().count('\n');
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    QTemporaryDir work;
    if (!work.isValid())
        giveUp("no temporary folder");
    const QString nativeFolder = work.filePath(QStringLiteral("album"));
    QDir().mkpath(nativeFolder);
    const QStringList files = makeAlbum(nativeFolder);
    const QString folder = platform::fromNativePath(nativeFolder);
    const QString settingsFile =
        platform::fromNativePath(work.filePath(QStringLiteral("sonnalby.dat")));

    // Once each beforehand: the files come into the page cache, and both must see every file.
    if (activateAlbum(folder, settingsFile) != recordCount)
        giveUp("activation did not list every record");
    if (runProbe(files) != recordCount)
        giveUp("sonnalby-probe did not read every file");

    const std::size_t count = recordCount;
    bench::registerPass("activation", count, [&] {
        activateAlbum(folder, settingsFile);
    })->Repetitions(5);
    bench::registerPass("probe", count, [&] { runProbe(files); })->Repetitions(5);

    bench::PerFileReporter reporter(count);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double activation = reporter.perFile("activation").wall * recordCount;
    const double probe = reporter.perFile("probe").wall * recordCount;
    if (activation <= 0 || probe <= 0)
        return 0;
    std::printf("\nActivating %d records: %.1f ms; sonnalby-probe over the same files: %.1f ms; "
                "ratio %.2f (target at most 1.50)\n",
                recordCount, activation * 1e3, probe * 1e3, activation / probe);
    return 0;
}
