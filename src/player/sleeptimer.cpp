#include "player/sleeptimer.h"

#include "player/playersession.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

constexpr qint64 millisecondsPerMinute = 60 * 1000;

qint64 steadyNow()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

} // namespace

SleepTimer::SleepTimer(PlayerSession &session, QObject *parent)
    : QObject(parent), m_session(session), m_now(steadyNow)
{
    m_timer.setInterval(tickMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &SleepTimer::tick);
    connect(&session, &PlayerSession::recordEndReached, this, [this] {
        if (m_mode == Mode::EndOfRecord || m_mode == Mode::EndOfChapter)
            finish();
    });
    connect(&session, &PlayerSession::positionChanged, this, [this] {
        if (m_mode == Mode::EndOfChapter)
            aimAtChapterEnd();
    });
}

void SleepTimer::start(int minutes)
{
    m_minutes = std::max(minutes, 1);
    m_left = m_minutes * millisecondsPerMinute;
    begin(Mode::Minutes);
}

void SleepTimer::startAtRecordEnd()
{
    begin(Mode::EndOfRecord);
}

void SleepTimer::startAtChapterEnd()
{
    aimAtChapterEnd();
    begin(Mode::EndOfChapter);
}

void SleepTimer::aimAtChapterEnd()
{
    m_chapterEnd = -1;
    const RecordList &records = m_session.records();
    const RecordList::Index record = m_session.playingRecord();
    const int chapter = m_session.playingChapter();
    if (chapter < 0 || record < 0 || record >= records.count())
        return;
    const media::Chapters &chapters = records.at(record).chapters;
    if (chapter + 1 < chapters.size())
        m_chapterEnd = double(chapters[chapter + 1].startMs) / 1000.0;
}

void SleepTimer::begin(Mode mode)
{
    m_mode = mode;
    m_session.setHoldAtRecordEnd(mode == Mode::EndOfRecord || mode == Mode::EndOfChapter);
    m_session.player().setFadeLevel(1.0);
    m_lastTick = m_now();
    m_timer.start();
    emit changed();
}

void SleepTimer::cancel()
{
    m_session.setHoldAtRecordEnd(false);
    finish();
}

void SleepTimer::finish()
{
    m_mode = Mode::Off;
    m_timer.stop();
    m_session.player().setFadeLevel(1.0);
    emit changed();
}

qint64 SleepTimer::remainingMilliseconds() const
{
    const PlayerComponent &player = m_session.player();
    switch (m_mode) {
    case Mode::Minutes:
        return std::max<qint64>(m_left, 0);
    case Mode::EndOfChapter:
        if (m_chapterEnd >= 0) {
            const double left = std::max(m_chapterEnd - player.currentPosition(), 0.0);
            return qint64(left / player.rate() * 1000.0);
        }
        [[fallthrough]];
    case Mode::EndOfRecord: {
        const double length = player.currentItemDuration();
        if (length <= 0)
            return -1;
        const double left = std::max(length - player.currentPosition(), 0.0) / player.rate();
        return qint64(left * 1000.0);
    }
    case Mode::Off:
        break;
    }
    return -1;
}

void SleepTimer::tick()
{
    if (m_mode == Mode::Off)
        return;
    const qint64 now = m_now();
    const qint64 passed = std::max<qint64>(now - m_lastTick, 0);
    m_lastTick = now;
    PlayerComponent &player = m_session.player();
    const bool playing = player.playState() == PlayState::Playing;
    if (m_mode == Mode::Minutes && playing)
        m_left -= passed;
    const qint64 remaining = remainingMilliseconds();
    if (m_mode == Mode::Minutes && remaining == 0) {
        // The pause is asked for while the sound is silent; it saves as any pause does.
        player.pause();
        finish();
        return;
    }
    if (m_mode == Mode::EndOfChapter && m_chapterEnd >= 0 && remaining == 0 && playing) {
        pauseAtChapterEnd();
        return;
    }
    if (playing)
        fade(remaining);
    emit changed();
}

void SleepTimer::pauseAtChapterEnd()
{
    const double end = m_chapterEnd;
    PlayerComponent &player = m_session.player();
    m_session.beginBusy();
    player.setCurrentPosition(end);
    m_session.endBusy();
    player.pause();
    finish();
}

void SleepTimer::fade(qint64 remaining)
{
    const bool fading = remaining >= 0 && remaining < fadeMilliseconds;
    m_session.player().setFadeLevel(fading ? double(remaining) / fadeMilliseconds : 1.0);
}
