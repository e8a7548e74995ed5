#include "sessionfixture.h"

#include "../album/testmp3.h"
#include "app/window/mainwindow.h"
#include "platform/paths.h"
#include "settings/settingsstore.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cmath>

namespace {

// MPEG-1 Layer III at 44100 Hz: 1152 samples a frame.
int framesFor(int seconds)
{
    return int(std::lround(seconds * 44100.0 / 1152.0));
}

// The Folder choice of the Open dialog's filter.
constexpr int folderChoice = 4;

} // namespace

QString internal(const QString &nativePath)
{
    return platform::fromNativePath(nativePath);
}

SessionFixture::SessionFixture() = default;

SessionFixture::~SessionFixture()
{
    m_app.reset();
}

QString SessionFixture::makeAlbum(const QString &name, const QList<TestTrack> &tracks)
{
    QDir(m_folder.path()).mkpath(name);
    const QString folder = m_folder.filePath(name);
    for (const TestTrack &track : tracks) {
        const QString path = folder + u'/' + track.fileName;
        const QByteArray frames = testmp3::mpegFrames(framesFor(track.seconds));
        QByteArray bytes = track.title.isEmpty()
                               ? frames
                               : testmp3::id3v2Tag(3, {{"TIT2", 0, track.title}}) + frames;
        if (!track.chapterStarts.isEmpty()) {
            QList<quint32> starts;
            QList<QByteArray> titles;
            for (int start : track.chapterStarts) {
                starts.append(quint32(start) * 1000);
                titles.append("Part " + QByteArray::number(titles.size() + 1));
            }
            bytes = testmp3::mp3WithChapters(track.title, starts, titles, framesFor(track.seconds));
        }
        testmp3::writeFile(path, bytes);
        m_durations.insert(internal(path), track.seconds);
    }
    return folder;
}

QString SessionFixture::makeThreeTrackAlbum(const QString &name)
{
    return makeAlbum(name, {{"01.mp3", "One", 2}, {"02.mp3", "Two", 3}, {"03.mp3", "Three", 4}});
}

QString SessionFixture::startWithThreeTrackAlbum(const QString &name)
{
    const QString album = makeThreeTrackAlbum(name);
    start();
    openFolder(album);
    return album;
}

Application &SessionFixture::start(const QString &commandLinePath)
{
    m_app.reset();
    m_player = std::make_unique<FakePlayer>();
    for (auto it = m_durations.cbegin(); it != m_durations.cend(); ++it)
        m_player->setDuration(it.key(), it.value());
    ApplicationSetup setup;
    setup.player = m_player.get();
    setup.dialogKit = &m_dialogKit;
    setup.encodingChooser = &m_chooser;
    setup.settingsFile = settingsFile();
    setup.helpFile = internal(m_folder.filePath("sonnalby.hlp"));
    setup.commandLinePath = commandLinePath;
    setup.defaultTextEditor = m_textEditor;
    m_app = std::make_unique<Application>(setup);
    m_app->start();
    drainEvents();
    return *m_app;
}

void SessionFixture::exit()
{
    item("mFileExit")->trigger();
    drainEvents();
    m_app.reset();
}

QAction *SessionFixture::item(const QString &name) const
{
    return m_app->window().menuItem(name);
}

QString SessionFixture::settingsFile() const
{
    return internal(m_folder.filePath("sonnalby.dat"));
}

QByteArray SessionFixture::settingsBytes() const
{
    QFile file(m_folder.filePath("sonnalby.dat"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QStringList SessionFixture::albumLines() const
{
    const QString lines =
        settings::readSectionLines(settingsFile(), QStringLiteral("Default\\mFileList"));
    return lines.isEmpty() ? QStringList() : lines.split(QStringLiteral("\r\n"));
}

void SessionFixture::openFolder(const QString &nativeFolder)
{
    m_dialogKit.queueOpenConfirmed(internal(nativeFolder), folderChoice);
    item("mFileOpen")->trigger();
    drainEvents();
}

void SessionFixture::drainEvents()
{
    // Commands from outside wait for a turn of the event loop, and their events for another.
    for (int i = 0; i < 6; ++i)
        QCoreApplication::processEvents();
}
