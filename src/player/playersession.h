#pragma once

#include "player/recordlist.h"

#include <QObject>
#include <QString>

#include <functional>

class PlayerComponent;

// Drives the player over the active album's records: which record plays, what its events
// mean, and when the album's state is captured. Everything runs on the UI thread; the busy
// count keeps the play-state handler out of the program's own changes of file and position.
class PlayerSession : public QObject {
    Q_OBJECT
public:
    PlayerSession(PlayerComponent &player, RecordList &records, QObject *parent = nullptr);

    PlayerComponent &player() const { return m_player; }
    RecordList &records() const { return m_records; }

    // Called on Stopped and Paused (and by the elapsed timer): CaptureAlbumState then
    // SaveActiveAlbum. Set by the owner of the album list.
    void setCaptureAndSave(std::function<void()> captureAndSave);

    // While set (a profile is being loaded), selectRecord positions but does not play.
    void setProfileLoading(bool loading) { m_profileLoading = loading; }
    bool isProfileLoading() const { return m_profileLoading; }

    // Raised around the program's own changes of the player's file or position.
    void beginBusy() { ++m_busy; }
    void endBusy() { --m_busy; }

    // SelectRecord: makes record i current and plays it from the start (not while a profile
    // loads).
    void selectRecord(RecordList::Index index);
    // Loads path at seconds with player events suppressed (activation's resume); the record of
    // that path becomes current.
    void resumeAt(const QString &path, double seconds);
    // JumpToMark: plays path from seconds.
    void jumpToMark(const QString &path, double seconds);

    // The last known position in whole seconds, as text (the player's Tag in the original).
    const QString &heldPosition() const { return m_heldPosition; }
    void setHeldPosition(const QString &seconds) { m_heldPosition = seconds; }
    // Seconds counted while the current record plays; -1 after a seek.
    qint32 recordSeconds() const { return m_recordSeconds; }
    // One elapsed-timer tick's share of the session: counts the record's seconds.
    void countSecond();

    // Runs the play-state handling once for the current state (activation's last step).
    void refreshState();

signals:
    // The elapsed timer runs exactly while this says true.
    void elapsedTimerWanted(bool running);
    // Status label 0: "name (#i from n)".
    void mediaCaptionChanged(const QString &caption);
    // A seek or a new record: the time display wants one tick at once.
    void positionChanged();

private:
    void onPlayStateChange(int state);
    void onMediaChange(const QString &item);
    void onPositionChange(double oldPosition, double newPosition);
    void mediaEnded();

    PlayerComponent &m_player;
    RecordList &m_records;
    std::function<void()> m_captureAndSave;
    qint16 m_busy = 0;
    bool m_profileLoading = false;
    bool m_freshMedia = false;
    qint32 m_recordSeconds = 0;
    QString m_heldPosition = QStringLiteral("0");
};
