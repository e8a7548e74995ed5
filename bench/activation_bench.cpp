// Activating an album of 1,000 records in-process, as File > Open does it (open the folder's
// playlist, list every record with its duration and tag title, stand at the first record),
// against sonnalby-probe reading the tags and durations of the same files in one run. Both are
// timed on the wall clock over files in the page cache; the report ends with the ratio.
//
//   activation_bench [benchmark flags...]
//   activation_bench --activate FILE
//
// The second form is one activation as a whole process, to be timed from outside: FILE (one
// audio file, as a single-file album) is written as the only album of a profile in a new
// settings file, the profile is loaded as at start-up, which activates it, and one line tells
// the records, seconds and chapters listed.

#include "corpus.h"

#include "album/albumentry.h"
#include "album/albumlist.h"
#include "album/albumsession.h"
#include "album/playlistwriter.h"
#include "doubles/fakeplayer.h"
#include "doubles/scripteddialogkit.h"
#include "doubles/scriptedtitleencodingchooser.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "player/playersession.h"
#include "player/recordlist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    if (album::writePlaylistFromFolder(playlist, platform::titleCodePage()).result !=
        album::PlaylistWriteResult::Written)
        giveUp("cannot write the album's playlist");
    return files;
}

// An album session as the program has one, with a player and dialogs that need no window.
struct Activation {
    explicit Activation(const QString &settingsFile)
        : session({&dialogKit, &encodingChooser, &playerSession, settingsFile})
    {
    }

    FakePlayer player;
    RecordList records;
    PlayerSession playerSession{player, records};
    ScriptedDialogKit dialogKit;
    text::ScriptedTitleEncodingChooser encodingChooser;
    album::AlbumSession session;
};

// One activation as the program does it. Returns the number of records listed.
int activateAlbum(const QString &folder, const QString &settingsFile)
{
    Activation activation(settingsFile);
    activation.session.activate(activation.session.openAlbum(folder));
    // The player's queued events belong to the activation too.
    QCoreApplication::processEvents();
    return activation.records.count();
}

// The --activate form: the program's start-up on a profile whose only album is the file.
int activateListedFile(const char *nativePath)
{
    const QTemporaryDir work;
    if (!work.isValid())
        giveUp("no temporary folder");
    const QString nativeSettings = work.filePath(QStringLiteral("sonnalby.dat"));
    // Settings go only into a file that exists.
    if (QFile empty(nativeSettings); !empty.open(QIODevice::WriteOnly))
        giveUp("cannot write the settings file");
    const QString settingsFile = platform::fromNativePath(nativeSettings);
    const QString profile = QStringLiteral("Default");
    album::AlbumEntry entry;
    entry.path = album::encodeAlbumPath(
        platform::fromNativePath(QFileInfo(QString::fromLocal8Bit(nativePath)).absoluteFilePath()));
    entry.title = QStringLiteral("Album");
    entry.codepage = QStringLiteral("65001");
    album::AlbumList albums;
    albums.append(entry);
    albums.saveAlbumList(settingsFile, profile);

    Activation activation(settingsFile);
    activation.session.loadProfile(profile, QString());
    QCoreApplication::processEvents();
    const RecordList &records = activation.records;
    if (records.count() != 1 || !activation.session.isAlbumActive())
        giveUp("the album was not activated");
    std::printf("records 1 seconds %d chapters %lld\n", records.durationOf(0),
                static_cast<long long>(records.at(0).chapters.size()));
    return 0;
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
    if (argc == 3 && std::strcmp(argv[1], "--activate") == 0)
        return activateListedFile(argv[2]);
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
