#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class PlayerSession;

// The sleep timer: after a number of minutes of playing, or at the end of the current chapter or
// record, playback pauses (which saves, as any pause does). The sound fades to silence over the
// last ten seconds and comes back to the album's own volume once paused. Only playing time counts;
// commands that start playback leave the timer running. A listener still awake is forgiven: a
// sign of them during the fade, or within a minute after the pause, runs the timer again for the
// length last chosen. Everything on the UI thread.
class SleepTimer : public QObject {
    Q_OBJECT
public:
    enum class Mode { Off, Minutes, EndOfRecord, EndOfChapter };
    // What a sign of the listener did: nothing, lengthened the running timer, or started it
    // again after it paused.
    enum class Wake { Nothing, Extended, Restarted };
    static constexpr qint64 fadeMilliseconds = 10000;
    static constexpr qint64 forgivingMilliseconds = 60000;
    static constexpr int tickMilliseconds = 200;

    explicit SleepTimer(PlayerSession &session, QObject *parent = nullptr);

    // A steady clock in milliseconds; tests give their own and call tick() themselves.
    void setClock(std::function<qint64()> now) { m_now = std::move(now); }

    // Starts anew, replacing any running timer.
    void start(int minutes);
    void startAtRecordEnd();
    // At the next chapter's start, which the place is left at; in the last chapter, or in a
    // record without chapters, at the record's end.
    void startAtChapterEnd();
    // Off: the timer stops and the sound is whole again.
    void cancel();

    Mode mode() const { return m_mode; }
    // The minutes asked for while counting minutes; 0 otherwise.
    int minutes() const { return m_mode == Mode::Minutes ? m_minutes : 0; }
    // Milliseconds of playing left before the pause; -1 while off, or at the end of a record
    // whose length the player does not know.
    qint64 remainingMilliseconds() const;
    const QTimer &timer() const { return m_timer; }

    // Counts the playing time since the last tick, fades, and pauses when the time is up.
    void tick();

    // The listener is awake (a key, a click, a media key, a tray command). During the fade the
    // timer runs on for the length last chosen (minutes, one more chapter or one more record)
    // with the sound whole at once; within a minute after the timer paused it starts again
    // with that length, and the caller gives the sound back with playAfterWake once the
    // listener's own command has run.
    Wake wake();
    // Plays unless the player already plays or cannot start now.
    void playAfterWake();

signals:
    // The mode or the remaining time changed: what the menu and the status line show.
    void changed();

private:
    void begin(Mode mode);
    void finish();
    // The timer's own pause: remembered, so that a listener still awake is forgiven.
    void fallAsleep();
    void extend();
    // The hold at a record's end follows the records still to be passed.
    void holdAtRecordEnd();
    void fade(qint64 remaining);
    // The end of the chapter playing now, where a seek or another record puts the listener.
    void aimAtChapterEnd();
    // The pause at the chapter's end, the place put back on it from the tick's overshoot.
    void pauseAtChapterEnd();

    PlayerSession &m_session;
    QTimer m_timer;
    std::function<qint64()> m_now;
    Mode m_mode = Mode::Off;
    int m_minutes = 0;
    qint64 m_left = 0; // while counting minutes
    qint64 m_lastTick = 0;
    // Seconds into the record where the chapter playing ends; -1 for the record's end.
    double m_chapterEnd = -1;
    // Record ends to pass before the one that pauses, after an extension.
    int m_recordsToPass = 0;
    Mode m_lastMode = Mode::Off;
    int m_lastMinutes = 0;
    // When the timer last paused playback on its own; -1 when it did not, or was forgiven.
    qint64 m_sleptAt = -1;
};
