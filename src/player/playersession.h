#pragma once

#include "player/playercomponent.h"
#include "player/recordlist.h"
#include "player/skiptarget.h"

#include <QObject>
#include <QString>

#include <functional>

// Drives the player over the active album's records: which record plays, what its events
// mean, and when the album's state is captured. Everything runs on the UI thread; the busy
// count keeps the play-state handler out of the program's own changes of file and position.
class PlayerSession : public QObject {
    Q_OBJECT
public:
    PlayerSession(PlayerComponent &player, RecordList &records, QObject *parent = nullptr);

    PlayerComponent &player() const { return m_player; }
    RecordList &records() const { return m_records; }

    // Called on Stopped and Paused: CaptureAlbumState then SaveActiveAlbum. Set by the owner
    // of the album list.
    void setCaptureAndSave(std::function<void()> captureAndSave);
    // Stores the active album's state through what setCaptureAndSave gave.
    void captureAndSave();

    // While set (a profile is being loaded), selectRecord positions but does not play.
    void setProfileLoading(bool loading) { m_profileLoading = loading; }
    bool isProfileLoading() const { return m_profileLoading; }

    // Raised around the program's own changes of the player's file or position; the play-state
    // handler drops every event while it is above 0.
    void beginBusy() { ++m_busy; }
    void endBusy()
    {
        if (m_busy > 0)
            --m_busy;
    }

    // SelectRecord: makes record i current and plays it from the start (not while a profile
    // loads). An index out of range does nothing. A record whose file cannot be loaded is
    // disabled and the next playable one takes its place.
    void selectRecord(RecordList::Index index);
    // Loads path at seconds with player events suppressed and does not play (activation's
    // resume); the record of that path becomes current, a path not listed leaves the current one.
    void resumeAt(const QString &path, double seconds);
    // JumpToMark: as resumeAt at the seconds rounded to whole ones, then plays.
    void jumpToMark(const QString &path, double seconds);
    // Next and Previous: by chapter inside the playing record (chapterstep.h), else by record;
    // playback starts. Nothing where there is no such place.
    void stepNext();
    void stepPrevious();
    // Plays the record from the seconds (a chapter's start): a seek when the player holds the
    // record already, else a load there. A disabled record or an index out of range does nothing.
    void playFrom(const AlbumSpot &spot);
    // The record the player holds, else the current one: where Next and Previous count from.
    RecordList::Index playingRecord() const;

    // The chapter of the playing record at the player's position; -1 for a record without
    // chapters or with none playing.
    int playingChapter() const;
    // Announces chapterChanged when the playing record or its chapter is not the one announced
    // last: at every tick, seek and new record.
    void noteChapter();

    // No record to play: the player lets its file go and the caption goes blank.
    void unload();

    // The last known position in whole seconds, as text: where a stop puts the player back.
    const QString &heldPosition() const { return m_heldPosition; }
    void setHeldPosition(const QString &seconds) { m_heldPosition = seconds; }
    // Seconds counted while the current record plays; -1 after a seek.
    qint32 recordSeconds() const { return m_recordSeconds; }
    // One elapsed-timer tick's share of the session: counts the record's seconds.
    void countSecond();
    // Start-up's first tick counts no second of listening.
    void resetRecordSeconds() { m_recordSeconds = 0; }

    // Moves the position seconds forward (back when negative) through the album's playable
    // records, never before the album's start nor past its end. Playback goes on, or stays
    // paused with the new place saved. Nothing while the player holds none of the records.
    void skipBy(double seconds);
    // While on, playback that resumes after a pause or stop of more than five minutes starts a
    // few seconds earlier (rewindrule.h); a record or bookmark chosen meanwhile starts as chosen.
    void setRewindAfterPause(bool on) { m_rewindAfterPause = on; }
    // The moment playback last stopped, in milliseconds since the epoch (activation gives the
    // album's access stamp); 0 for none.
    void setPausedSince(qint64 msecs) { m_pausedSince = msecs; }
    qint64 pausedSince() const { return m_pausedSince; }
    // The wall clock in milliseconds since the epoch; tests give their own.
    void setClock(std::function<qint64()> now) { m_now = std::move(now); }
    // Once set, the current record's end loads the next record without playing it (a pause at
    // its start, saved) and announces recordEndReached; the last record's end just ends.
    void setHoldAtRecordEnd(bool hold) { m_holdAtRecordEnd = hold; }
    bool holdsAtRecordEnd() const { return m_holdAtRecordEnd; }

    // The active album's seconds skipped at each record's start and end (publishers' jingles):
    // a record played from its start begins after the intro, and the outro counts as its end.
    // Resume marks, bookmarks and seeks go where they say.
    void setSkippedEnds(int introSeconds, int outroSeconds);
    int introSeconds() const { return m_introSeconds; }
    int outroSeconds() const { return m_outroSeconds; }
    // Where record index starts when played from its start: after the intro, unless the intro
    // would leave nothing of it.
    double startOf(RecordList::Index index) const;
    // Where the playing record's listening ends: its length less the outro; 0 while the length
    // is not known.
    double playedEnd() const;

    // Runs the play-state handling once for the player's current state (activation's last
    // step). A player that is merely loaded, or still loading, starts playing only when no
    // profile is loading.
    void refreshState();

signals:
    // The elapsed timer runs exactly while this says true.
    void elapsedTimerWanted(bool running);
    // Status label 0: "name (#i from n)".
    void mediaCaptionChanged(const QString &caption);
    // A seek or a new record: the time display wants one tick at once.
    void positionChanged();
    // The record ended while setHoldAtRecordEnd was on; playback has stopped, with the next
    // record held at its start, or at the album's end when there was none.
    void recordEndReached(bool nextHeld);
    // Another chapter plays (playingChapter), or a record with other chapters or none.
    void chapterChanged();

private:
    void onPlayStateChange(int state);
    void runStateHandler(PlayState state);
    void handlePlayState(PlayState state);
    void onMediaChange();
    void onMediaError(const QString &item);
    // Makes the record current, loads it at its start and plays it when asked to.
    void loadRecord(RecordList::Index index, bool play);
    // The record the player's file stands for: the current one when its path is the file, so
    // that a file listed twice is told apart, else the first listed with that path.
    RecordList::Index recordOfFile(const QString &path) const;
    void onPositionChange(double newPosition);
    // Learns an unknown duration from the counted seconds and goes on to the next record.
    void mediaEnded();
    void endRecordAtOutro();
    void learnDuration(RecordList::Index index);
    // The first enabled record after index; none after the last.
    RecordList::Index nextPlayable(RecordList::Index index) const;
    // Loads path at seconds with player events suppressed; index becomes current unless none.
    void loadAt(RecordList::Index index, const QString &path, double seconds);
    void notePause();
    // Playback starts: after a long enough pause, a few seconds earlier.
    void rewindAfterLongPause();
    // The record ended with the hold set: the next one waits at its start.
    void holdAtNext(RecordList::Index next);

    PlayerComponent &m_player;
    RecordList &m_records;
    std::function<void()> m_captureAndSave;
    qint16 m_busy = 0;
    bool m_profileLoading = false;
    // Whether the file loading now was meant to play: the next record does the same when it
    // cannot be loaded.
    bool m_playAfterLoad = false;
    bool m_freshMedia = false;
    qint32 m_recordSeconds = 0;
    QString m_heldPosition = QStringLiteral("0");
    bool m_rewindAfterPause = false;
    bool m_holdAtRecordEnd = false;
    int m_introSeconds = 0;
    int m_outroSeconds = 0;
    qint64 m_pausedSince = 0;
    std::function<qint64()> m_now;
    // What chapterChanged announced last.
    RecordList::Index m_announcedRecord = RecordList::none;
    int m_announcedChapter = -1;
};
