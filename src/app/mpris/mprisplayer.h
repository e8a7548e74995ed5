#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QString>
#include <QVariantMap>

class PlayerBase;
class PlayerSession;

namespace album {
class AlbumSession;
}
namespace shell {
class OutsideCommands;
}

// The player as the desktop's media controls and media keys see it (the MPRIS 2 player
// interface). Each command goes through what the program's own controls call: play and pause as
// the tray's Play/Pause, next and previous as a click in the Record menu, stop and seeking as
// the player's own buttons and seek bar, the volume as the volume box; so each saves what they
// save. Members keep the interface's names, which are what the bus shows.
class MprisPlayer : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(double MinimumRate READ minimumRate)
    Q_PROPERTY(double MaximumRate READ maximumRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)
public:
    // object carries the interface on the bus; the others outlive it.
    MprisPlayer(QObject *object, PlayerBase &player, PlayerSession &session,
                album::AlbumSession &albums, shell::OutsideCommands &outside);

    // "Playing", "Paused" (also a file loading, or loaded and not started, as at a resume mark)
    // or "Stopped".
    QString playbackStatus() const;
    // The album's speed, as View > Speed sets it: kept with the album as the volume is.
    double rate() const;
    // Clamped to the speeds View > Speed offers; 0 and below pause, as the interface asks.
    // Nothing while no record is loaded.
    void setRate(double rate);
    double minimumRate() const;
    double maximumRate() const;
    // The current record: its id, length, title (the tag's, else the file name), the album's
    // title (else its folder's name), its number in the album and its address. Empty with no
    // current record.
    QVariantMap metadata() const;
    double volume() const;
    // 0..2 (above 1 the album's boost), clamped; the player's volume in hundredths.
    void setVolume(double volume);
    // In microseconds.
    qlonglong position() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canPause() const { return canPlay(); }
    bool canSeek() const;
    bool canControl() const { return true; }

    // The id of the current record; the "no track" id when there is none.
    QDBusObjectPath currentTrackId() const;

public slots:
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    // By offset microseconds from the position: before the start goes to the start, past the end
    // to the next record.
    void Seek(qlonglong offset);
    // Ignored unless the id is the current record's and the position lies within it.
    void SetPosition(const QDBusObjectPath &trackId, qlonglong position);
    // A "file:" address of a folder, playlist or MP3 file, opened as a drop on the window is.
    void OpenUri(const QString &uri);

signals:
    // The position jumped (a seek, a new record, a resume): its new value in microseconds.
    void Seeked(qlonglong position);

private:
    void play();
    void pause();
    // The nearest enabled record before (-1) or after (1) the current one, when there is one.
    // Seeking past the record's end: the next enabled record from its start.
    void selectNextRecord();
    QString recordTitle(const QString &path) const;
    QString albumTitle() const;

    PlayerBase &m_player;
    PlayerSession &m_session;
    album::AlbumSession &m_albums;
    shell::OutsideCommands &m_outside;
    // Counts record lists, so that an id of an earlier album's record is never current.
    quint64 m_listNumber = 0;
    // The tag title read for the last record asked about, with the code page read in.
    mutable QString m_titlePath;
    mutable int m_titleCodePage = 0;
    mutable QString m_title;
};
