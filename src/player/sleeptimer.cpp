#include "player/sleeptimer.h"

#include "platform/steadyclock.h"
#include "player/playersession.h"

#include <algorithm>

namespace {

constexpr qint64 millisecondsPerMinute = 60 * 1000;

} // namespace

SleepTimer::SleepTimer(PlayerSession &session, QObject *parent)
    : QObject(parent), m_session(session), m_now(platform::steadyMilliseconds)
{
    m_timer.setInterval(tickMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &SleepTimer::tick);
    connect(&session, &PlayerSession::recordEndReached, this, [this](bool nextHeld) {
        if (m_mode != Mode::EndOfRecord && m_mode != Mode::EndOfChapter)
            return;
        // At the album's end there is no sound to give back to a listener still awake.
        if (nextHeld)
            fallAsleep();
        else
            finish();
    });
    connect(&session.records(), &RecordList::currentChanged, this, [this] {
        if (m_recordsToPass > 0) {
            --m_recordsToPass;
            holdAtRecordEnd();
        }
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
    m_lastMode = mode;
    m_lastMinutes = m_minutes;
    m_recordsToPass = 0;
    m_sleptAt = -1;
    holdAtRecordEnd();
    m_session.player().setFadeLevel(1.0);
    m_lastTick = m_now();
    m_timer.start();
    emit changed();
}

void SleepTimer::holdAtRecordEnd()
{
    const bool atRecordEnd = m_mode == Mode::EndOfRecord || m_mode == Mode::EndOfChapter;
    m_session.setHoldAtRecordEnd(atRecordEnd && m_recordsToPass == 0);
}

void SleepTimer::cancel()
{
    m_sleptAt = -1;
    m_recordsToPass = 0;
    m_session.setHoldAtRecordEnd(false);
    finish();
}

void SleepTimer::fallAsleep()
{
    finish();
    m_sleptAt = m_now();
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
        double length = m_session.playedEnd();
        // Records still to pass after an extension count whole.
        const RecordList &records = m_session.records();
        for (int i = 1; i <= m_recordsToPass; ++i) {
            const int next = m_session.playingRecord() + i;
            if (next >= records.count())
                break;
            const qint32 seconds = records.durationOf(RecordList::Index(next));
            if (seconds <= 0)
                return -1;
            length += seconds;
        }
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
        fallAsleep();
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
    fallAsleep();
}

void SleepTimer::fade(qint64 remaining)
{
    const bool fading = remaining >= 0 && remaining < fadeMilliseconds;
    m_session.player().setFadeLevel(fading ? double(remaining) / fadeMilliseconds : 1.0);
}

SleepTimer::Wake SleepTimer::wake()
{
    if (m_mode == Mode::Off) {
        if (m_sleptAt < 0 || m_now() - m_sleptAt > forgivingMilliseconds)
            return Wake::Nothing;
        m_minutes = m_lastMinutes;
        m_left = m_minutes * millisecondsPerMinute;
        if (m_lastMode == Mode::EndOfChapter)
            aimAtChapterEnd();
        begin(m_lastMode);
        return Wake::Restarted;
    }
    const qint64 remaining = remainingMilliseconds();
    if (remaining < 0 || remaining >= fadeMilliseconds)
        return Wake::Nothing;
    extend();
    m_session.player().setFadeLevel(1.0);
    emit changed();
    return Wake::Extended;
}

void SleepTimer::extend()
{
    if (m_mode == Mode::Minutes) {
        m_left += m_minutes * millisecondsPerMinute;
        return;
    }
    const RecordList &records = m_session.records();
    const RecordList::Index record = m_session.playingRecord();
    if (m_mode == Mode::EndOfChapter && m_chapterEnd >= 0 && record >= 0 &&
        record < records.count()) {
        // One chapter more: to the start of the chapter after the next, or the record's end.
        const media::Chapters &chapters = records.at(record).chapters;
        double nextEnd = -1;
        for (const media::Chapter &chapter : chapters) {
            if (chapter.startMs / 1000.0 > m_chapterEnd) {
                nextEnd = chapter.startMs / 1000.0;
                break;
            }
        }
        m_chapterEnd = nextEnd;
        return;
    }
    // In the album's last record there is no record more: the album ends where it would.
    if (record < 0)
        return;
    RecordList::Index last = record;
    for (int i = 0; i <= m_recordsToPass && last != RecordList::none; ++i)
        last = records.nextEnabled(last, 1);
    if (last == RecordList::none)
        return;
    ++m_recordsToPass;
    holdAtRecordEnd();
}

void SleepTimer::playAfterWake()
{
    PlayerComponent &player = m_session.player();
    if (player.playState() != PlayState::Playing && mayPlayNow(player.playState()))
        player.play();
}
