#include "app/mpris/mprisplayer.h"

#include "album/albumsession.h"
#include "album/pathtext.h"
#include "album/recordloader.h"
#include "app/window/albumdrop.h"
#include "media/tagreader.h"
#include "platform/paths.h"
#include "player/chapterstep.h"
#include "player/playbackspeed.h"
#include "player/playerbase.h"
#include "player/playersession.h"
#include "shell/dialogs/outsidecommands.h"
#include "text/characterreferences.h"

#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

constexpr double microseconds = 1e6;
const QString noTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

qlonglong toMicroseconds(double seconds)
{
    return qlonglong(std::llround(seconds * microseconds));
}

} // namespace

MprisPlayer::MprisPlayer(QObject *object, PlayerBase &player, PlayerSession &session,
                         album::AlbumSession &albums, shell::OutsideCommands &outside)
    : QDBusAbstractAdaptor(object), m_player(player), m_session(session), m_albums(albums),
      m_outside(outside)
{
    connect(&session.records(), &RecordList::recordsReset, this, [this] { ++m_listNumber; });
    connect(&player, &PlayerComponent::positionChange, this,
            [this](double, double newPosition) { emit Seeked(toMicroseconds(newPosition)); });
}

QString MprisPlayer::playbackStatus() const
{
    switch (m_player.playState()) {
    case PlayState::Playing:
        return QStringLiteral("Playing");
    case PlayState::Paused:
        return QStringLiteral("Paused");
    case PlayState::Ready:
    case PlayState::Transitioning:
        return canPlay() ? QStringLiteral("Paused") : QStringLiteral("Stopped");
    default:
        return QStringLiteral("Stopped");
    }
}

QVariantMap MprisPlayer::metadata() const
{
    const RecordList &records = m_session.records();
    const RecordList::Index current = records.current();
    if (current < 0)
        return {};
    const QString path = records.pathOf(current);
    const qint32 seconds = records.durationOf(current);
    const double length = seconds > 0 ? seconds : m_player.currentItemDuration();
    QVariantMap data;
    data.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(currentTrackId()));
    data.insert(QStringLiteral("mpris:length"), toMicroseconds(length));
    const int chapter = m_session.playingRecord() == current ? m_session.playingChapter() : -1;
    data.insert(QStringLiteral("xesam:title"),
                chapter >= 0 ? records.at(current).chapters.at(chapter).title : recordTitle(path));
    data.insert(QStringLiteral("xesam:trackNumber"), int(current) + 1);
    data.insert(QStringLiteral("xesam:url"),
                QUrl::fromLocalFile(platform::toNativePath(path)).toString());
    if (m_albums.isAlbumActive())
        data.insert(QStringLiteral("xesam:album"), albumTitle());
    return data;
}

// The active album's title; an album without one (a playlist written for a folder) is named by
// its folder.
QString MprisPlayer::albumTitle() const
{
    const album::AlbumEntry entry = m_albums.albums().entry(0);
    const QString title = text::fromCharacterReferenceText(entry.title);
    if (!title.isEmpty())
        return title;
    QString folder = album::folderOfPath(entry.albumPath());
    folder.chop(1);
    return album::textAfterLast(folder, u"\\", false);
}

// The title the Record menu shows, else the name the status line shows.
QString MprisPlayer::recordTitle(const QString &path) const
{
    const int codePage =
        m_albums.isAlbumActive()
            ? int(FixedPoint::parse(m_albums.albums().entry(0).codepage).roundedToInt())
            : 0;
    if (path != m_titlePath || codePage != m_titleCodePage) {
        m_titlePath = path;
        m_titleCodePage = codePage;
        m_title = album::recordTitleText(media::readTag(path).title, codePage);
        if (m_title.isEmpty())
            m_title = album::textAfterLast(path, u"\\", false);
    }
    return m_title;
}

double MprisPlayer::volume() const
{
    return m_player.volume() / 100.0;
}

void MprisPlayer::setVolume(double volume)
{
    if (std::isnan(volume))
        return;
    const double top = PlayerComponent::maxVolume / 100.0;
    m_player.setVolume(int(std::lround(std::clamp(volume, 0.0, top) * 100)));
}

qlonglong MprisPlayer::position() const
{
    return toMicroseconds(m_player.currentPosition());
}

bool MprisPlayer::canGoNext() const
{
    return chapterstep::next(m_session.records(), m_session.playingRecord(),
                             m_player.currentPosition())
               .record >= 0;
}

bool MprisPlayer::canGoPrevious() const
{
    return chapterstep::previous(m_session.records(), m_session.playingRecord(),
                                 m_player.currentPosition())
               .record >= 0;
}

bool MprisPlayer::canPlay() const
{
    return m_player.isEnabled() && !m_player.url().isEmpty();
}

double MprisPlayer::rate() const
{
    return m_player.rate();
}

void MprisPlayer::setRate(double rate)
{
    if (rate <= 0)
        Pause();
    else if (canPlay())
        m_player.setRate(rate);
}

double MprisPlayer::minimumRate() const
{
    return speed::slowest;
}

double MprisPlayer::maximumRate() const
{
    return speed::fastest;
}

bool MprisPlayer::canSeek() const
{
    return canPlay() && m_player.currentItemDuration() > 0;
}

QDBusObjectPath MprisPlayer::currentTrackId() const
{
    const RecordList::Index current = m_session.records().current();
    if (current < 0)
        return QDBusObjectPath(noTrack);
    return QDBusObjectPath(
        QStringLiteral("/sonnalby/list%1/record%2").arg(m_listNumber).arg(current));
}

// Every method waits for any question the program asks; the bus has its answer at once.
void MprisPlayer::Play()
{
    m_outside.post(this, [this] { play(); });
}

void MprisPlayer::Pause()
{
    m_outside.post(this, [this] { pause(); });
}

void MprisPlayer::PlayPause()
{
    m_outside.post(this, [this] { m_player.wantsToPlay() ? pause() : play(); });
}

void MprisPlayer::Stop()
{
    m_outside.post(this, [this] {
        const PlayState state = m_player.playState();
        if (canPlay() && (state == PlayState::Playing || state == PlayState::Paused ||
                          state == PlayState::Ready))
            m_player.stopFromControls();
    });
}

void MprisPlayer::Next()
{
    m_outside.post(this, [this] { m_session.stepNext(); });
}

void MprisPlayer::Previous()
{
    m_outside.post(this, [this] { m_session.stepPrevious(); });
}

void MprisPlayer::Seek(qlonglong offset)
{
    m_outside.post(this, [this, offset] {
        if (!canSeek())
            return;
        const double target = m_player.currentPosition() + offset / microseconds;
        if (target > m_player.currentItemDuration())
            selectNextRecord();
        else
            m_player.seekFromControls(std::max(target, 0.0));
    });
}

void MprisPlayer::SetPosition(const QDBusObjectPath &trackId, qlonglong position)
{
    m_outside.post(this, [this, trackId, position] {
        if (!canSeek() || trackId != currentTrackId() || position < 0 ||
            position > toMicroseconds(m_player.currentItemDuration()))
            return;
        m_player.seekFromControls(position / microseconds);
    });
}

void MprisPlayer::OpenUri(const QString &uri)
{
    const QString path = desktopAlbumPath({QUrl(uri)});
    if (!path.isEmpty())
        m_outside.post(this, [this, path] { openAndActivate(m_albums, path); });
}

// While a record loads, play and pause set whether it starts once loaded.
void MprisPlayer::play()
{
    const PlayState state = m_player.playState();
    if (canPlay() && (mayPlayNow(state) || state == PlayState::Transitioning))
        m_player.play();
}

void MprisPlayer::pause()
{
    if (m_player.wantsToPlay())
        m_player.pause();
}

void MprisPlayer::selectNextRecord()
{
    const RecordList &records = m_session.records();
    if (records.current() >= 0)
        m_session.selectRecord(records.nextEnabled(records.current(), 1));
}
