#include "player/playersession.h"

#include "player/chapterstep.h"
#include "player/rewindrule.h"
#include "player/skiptarget.h"
#include "player/timeformat.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

QString wholeSecondsText(double seconds)
{
    return QString::number(wholeSeconds(seconds));
}

} // namespace

PlayerSession::PlayerSession(PlayerComponent &player, RecordList &records, QObject *parent)
    : QObject(parent), m_player(player), m_records(records),
      m_now([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    // Direct connections: the player raises some events inside the program's own calls, and
    // the busy count only works if they are handled there and then.
    connect(&player, &PlayerComponent::playStateChange, this, &PlayerSession::onPlayStateChange,
            Qt::DirectConnection);
    connect(&player, &PlayerComponent::mediaChange, this, &PlayerSession::onMediaChange,
            Qt::DirectConnection);
    connect(&player, &PlayerComponent::mediaError, this, &PlayerSession::onMediaError,
            Qt::DirectConnection);
    connect(&records, &RecordList::recordsReset, this, [this] {
        m_announcedRecord = RecordList::none;
        m_announcedChapter = -1;
        emit chapterChanged();
    });
    connect(
        &player, &PlayerComponent::positionChange, this,
        [this](double, double newPosition) { onPositionChange(newPosition); },
        Qt::DirectConnection);
}

void PlayerSession::setCaptureAndSave(std::function<void()> captureAndSave)
{
    m_captureAndSave = std::move(captureAndSave);
}

void PlayerSession::selectRecord(RecordList::Index index)
{
    if (index < 0 || index >= m_records.count())
        return;
    loadRecord(index, !m_profileLoading);
}

// The player takes a play given while the file loads and starts once it is loaded.
void PlayerSession::loadRecord(RecordList::Index index, bool play)
{
    m_pausedSince = 0;
    beginBusy();
    m_records.setCurrent(index);
    m_player.setUrl(m_records.pathOf(index));
    m_player.setEnabled(true);
    m_player.setCurrentPosition(startOf(index));
    m_heldPosition = wholeSecondsText(m_player.currentPosition());
    endBusy();
    m_playAfterLoad = play;
    if (play)
        m_player.play();
}

void PlayerSession::resumeAt(const QString &path, double seconds)
{
    loadAt(m_records.findRecordIndex(path), path, seconds);
}

void PlayerSession::jumpToMark(const QString &path, double seconds)
{
    m_pausedSince = 0;
    loadAt(m_records.findRecordIndex(path), path, wholeSeconds(seconds));
    m_playAfterLoad = true;
    m_player.play();
}

RecordList::Index PlayerSession::playingRecord() const
{
    const RecordList::Index held = recordOfFile(m_player.url());
    return held != RecordList::none ? held : m_records.current();
}

int PlayerSession::playingChapter() const
{
    const RecordList::Index record = playingRecord();
    if (record < 0 || record >= m_records.count())
        return -1;
    return media::chapterAt(m_records.at(record).chapters,
                            qint64(m_player.currentPosition() * 1000.0));
}

void PlayerSession::noteChapter()
{
    const RecordList::Index record = playingRecord();
    const int chapter = playingChapter();
    if (record == m_announcedRecord && chapter == m_announcedChapter)
        return;
    m_announcedRecord = record;
    m_announcedChapter = chapter;
    emit chapterChanged();
}

void PlayerSession::stepNext()
{
    playFrom(chapterstep::next(m_records, playingRecord(), m_player.currentPosition()));
}

void PlayerSession::stepPrevious()
{
    // Just after the intro counts as the record's start.
    const RecordList::Index record = playingRecord();
    const double position = m_player.currentPosition();
    const bool atStart = record >= 0 && position < startOf(record) + chapterstep::previousGrace;
    playFrom(chapterstep::previous(m_records, record, atStart ? 0 : position));
}

void PlayerSession::playFrom(const AlbumSpot &spot)
{
    if (spot.record < 0 || spot.record >= m_records.count() || !m_records.at(spot.record).enabled)
        return;
    if (spot.record != recordOfFile(m_player.url()) && spot.seconds == 0) {
        selectRecord(spot.record);
        return;
    }
    m_pausedSince = 0;
    const double seconds = spot.seconds == 0 ? startOf(spot.record) : spot.seconds;
    if (spot.record == recordOfFile(m_player.url())) {
        beginBusy();
        m_records.setCurrent(spot.record);
        m_player.setCurrentPosition(seconds);
        m_heldPosition = wholeSecondsText(m_player.currentPosition());
        endBusy();
        emit positionChanged();
    } else {
        loadAt(spot.record, m_records.pathOf(spot.record), seconds);
    }
    m_playAfterLoad = true;
    m_player.play();
}

void PlayerSession::unload()
{
    m_playAfterLoad = false;
    m_player.close();
    emit mediaCaptionChanged(QString());
    emit positionChanged();
}

// The record is made current before the file is loaded, so that the caption the load raises
// counts it.
void PlayerSession::loadAt(RecordList::Index index, const QString &path, double seconds)
{
    beginBusy();
    if (index != RecordList::none)
        m_records.setCurrent(index);
    m_player.setEnabled(true);
    m_player.setUrl(path);
    m_player.setCurrentPosition(seconds);
    m_heldPosition = wholeSecondsText(m_player.currentPosition());
    endBusy();
    m_playAfterLoad = false;
}

void PlayerSession::skipBy(double seconds)
{
    const RecordList::Index current = recordOfFile(m_player.url());
    if (current == RecordList::none || !std::isfinite(seconds))
        return;
    const AlbumSpot spot = skipTarget(m_records, current, m_player.currentPosition(),
                                      m_player.currentItemDuration(), seconds);
    // A skip while the last one's record loads keeps the wish to play that load carries.
    const bool playing = m_player.wantsToPlay();
    if (spot.record == current) {
        beginBusy();
        m_player.setCurrentPosition(spot.seconds);
        m_heldPosition = wholeSecondsText(m_player.currentPosition());
        endBusy();
    } else {
        loadAt(spot.record, m_records.pathOf(spot.record), spot.seconds);
        m_playAfterLoad = playing;
        if (playing)
            m_player.play();
    }
    if (!playing)
        captureAndSave();
}

void PlayerSession::notePause()
{
    m_pausedSince = m_now();
}

void PlayerSession::rewindAfterLongPause()
{
    const qint64 since = std::exchange(m_pausedSince, 0);
    if (!m_rewindAfterPause || since == 0)
        return;
    const int rewind = rewindAfterPause((m_now() - since) / 1000);
    if (rewind > 0)
        skipBy(-rewind);
}

void PlayerSession::setSkippedEnds(int introSeconds, int outroSeconds)
{
    m_introSeconds = std::max(introSeconds, 0);
    m_outroSeconds = std::max(outroSeconds, 0);
}

double PlayerSession::startOf(RecordList::Index index) const
{
    const double length = m_records.durationOf(index);
    return length <= 0 || m_introSeconds + m_outroSeconds < length ? m_introSeconds : 0;
}

double PlayerSession::playedEnd() const
{
    const double length = m_player.currentItemDuration();
    if (length <= 0)
        return 0;
    const RecordList::Index record = recordOfFile(m_player.url());
    return record >= 0 && length - m_outroSeconds > startOf(record) ? length - m_outroSeconds
                                                                    : length;
}

void PlayerSession::endRecordAtOutro()
{
    const RecordList::Index index = recordOfFile(m_player.url());
    if (index == RecordList::none)
        return;
    // The seconds counted miss the outro: they are no length to learn.
    m_recordSeconds = -1;
    if (nextPlayable(index) != RecordList::none) {
        mediaEnded();
        return;
    }
    // The album's last record: its outro ends the album as its end would.
    m_player.pause();
    if (std::exchange(m_holdAtRecordEnd, false))
        emit recordEndReached(false);
}

void PlayerSession::countSecond()
{
    // The outro reached counts as the record's end.
    if (m_outroSeconds > 0 && m_player.playState() == PlayState::Playing &&
        playedEnd() < m_player.currentItemDuration() && m_player.currentPosition() >= playedEnd()) {
        endRecordAtOutro();
        return;
    }
    noteChapter();
    if (m_recordSeconds >= 0 && m_recordSeconds < std::numeric_limits<qint32>::max())
        ++m_recordSeconds;
}

void PlayerSession::refreshState()
{
    const PlayState state = m_player.playState();
    runStateHandler(state == PlayState::Transitioning ? PlayState::Ready : state);
}

// Ready ends one of the program's own loads, which settled whether the file plays when it began.
void PlayerSession::onPlayStateChange(int state)
{
    if (PlayState(state) != PlayState::Ready)
        runStateHandler(PlayState(state));
}

void PlayerSession::runStateHandler(PlayState state)
{
    if (m_busy > 0)
        return;
    beginBusy();
    handlePlayState(state);
    endBusy();
}

void PlayerSession::handlePlayState(PlayState state)
{
    switch (state) {
    case PlayState::Stopped:
        // The player's own stop goes back to the start; keep the listener's place instead.
        m_player.setCurrentPosition(double(FixedPoint::parse(m_heldPosition).roundedToInt()));
        emit elapsedTimerWanted(false);
        notePause();
        captureAndSave();
        break;
    case PlayState::Paused:
        emit elapsedTimerWanted(false);
        notePause();
        captureAndSave();
        break;
    case PlayState::Playing:
        rewindAfterLongPause();
        emit elapsedTimerWanted(true);
        break;
    case PlayState::MediaEnded:
        mediaEnded();
        break;
    case PlayState::Ready:
        // A profile load positions the player and leaves the start to the listener.
        emit elapsedTimerWanted(false);
        if (!m_profileLoading) {
            m_playAfterLoad = true;
            m_player.play();
        }
        break;
    default:
        break;
    }
}

void PlayerSession::mediaEnded()
{
    const RecordList::Index index = recordOfFile(m_player.url());
    if (index == RecordList::none)
        return;
    learnDuration(index);
    const RecordList::Index next = nextPlayable(index);
    if (std::exchange(m_holdAtRecordEnd, false)) {
        if (next != RecordList::none)
            holdAtNext(next);
        emit recordEndReached(next != RecordList::none);
    } else if (next != RecordList::none) {
        selectRecord(next);
    }
}

// As a pause would: the timer stops and the place is saved.
void PlayerSession::holdAtNext(RecordList::Index next)
{
    loadRecord(next, false);
    emit elapsedTimerWanted(false);
    notePause();
    captureAndSave();
}

RecordList::Index PlayerSession::recordOfFile(const QString &path) const
{
    const RecordList::Index current = m_records.current();
    return current != RecordList::none && m_records.pathOf(current) == path
               ? current
               : m_records.findRecordIndex(path);
}

// Greyed and left out of the album's time like a missing record; the session goes on as if the
// record had been played. With no playable record after it, the player's Stopped that follows
// ends the album.
void PlayerSession::onMediaError(const QString &item)
{
    const RecordList::Index index = recordOfFile(item);
    if (index == RecordList::none)
        return;
    Record record = m_records.at(index);
    record.entry = m_records.pathOf(index) + u'|';
    record.enabled = false;
    m_records.setRecord(index, record);
    const RecordList::Index next = nextPlayable(index);
    if (next != RecordList::none)
        loadRecord(next, m_playAfterLoad);
}

void PlayerSession::learnDuration(RecordList::Index index)
{
    if (m_records.durationValueOf(index) != FixedPoint() || m_recordSeconds < 1)
        return;
    Record record = m_records.at(index);
    record.entry = m_records.pathOf(index) + u'|' + QString::number(m_recordSeconds);
    m_records.setRecord(index, record);
}

RecordList::Index PlayerSession::nextPlayable(RecordList::Index index) const
{
    return m_records.nextEnabled(index, 1);
}

void PlayerSession::onMediaChange()
{
    const QString url = m_player.url();
    const QString name = url.mid(url.lastIndexOf(u'\\') + 1);
    // The records strip always has a box, and its value stays on a box.
    const int value = std::max<int>(m_records.current(), 0);
    const int count = std::max(m_records.count(), 1);
    const QString caption = name + QStringLiteral(" (#") + QString::number(value + 1) +
                            QStringLiteral(" from ") + QString::number(count) + u')';
    m_freshMedia = true;
    m_recordSeconds = 0;
    emit mediaCaptionChanged(caption);
    noteChapter();
}

// The first change after a new file is the program putting it at its start; any other change,
// and a first one that lands inside the file (a resume, a jump), means this play-through no
// longer counts the record's whole length.
void PlayerSession::onPositionChange(double newPosition)
{
    if (!m_freshMedia || wholeSeconds(newPosition) != 0)
        m_recordSeconds = -1;
    m_freshMedia = false;
    emit positionChanged();
    noteChapter();
}

void PlayerSession::captureAndSave()
{
    if (m_captureAndSave)
        m_captureAndSave();
}
