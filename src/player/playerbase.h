#pragma once

#include "player/playercomponent.h"

#include <QList>

// The event contract shared by every player: which events a call raises, in which order, during
// the call or queued, and the state after. Subclasses supply the media backend through the
// protected hooks; nothing here knows how sound is made.
class PlayerBase : public PlayerComponent {
    Q_OBJECT
public:
    using PlayerComponent::PlayerComponent;

    QString url() const override { return m_url; }
    // Raises Transitioning during the call and starts the backend's load. Once it is loaded:
    // MediaChange, Ready, a PositionChange for each position written meanwhile, and Playing when
    // play() was the last word meanwhile; a file that cannot be loaded gives MediaError, then
    // Stopped unless the error's handler set another URL. An empty path closes.
    void setUrl(const QString &path) override;
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return m_enabled; }
    PlayState playState() const override { return m_state; }
    bool wantsToPlay() const override
    {
        return m_loading ? m_playWanted : m_state == PlayState::Playing;
    }

    // Playing queued; at the very end of the file the end events follow it. While the file
    // loads: it starts once loaded.
    void play() override;
    // Paused queued, only while playing. While the file loads: it stays paused once loaded.
    void pause() override;
    // Stopped queued; no file afterwards, and a load under way is given up. Does nothing with
    // no file.
    void close() override;

    // 0 with no file; while loading, the last position written.
    double currentPosition() const override;
    // Clamped to the file; PositionChange(old, new) during the call, or once loaded while the
    // file loads. Ignored with no file.
    void setCurrentPosition(double seconds) override;
    double currentItemDuration() const override;

    int volume() const override { return m_volume; }
    // Clamped to 0..maxVolume; kept across files.
    void setVolume(int volume) override;

    double rate() const override { return m_rate; }
    // Clamped to the speeds a listener can choose (playbackspeed.h).
    void setRate(double rate) override;
    double fadeLevel() const override { return m_fade; }
    // Clamped to 0..1.
    void setFadeLevel(double level) override;
    bool voiceLevelling() const override { return m_voiceLevelling; }
    void setVoiceLevelling(bool on) override;

    bool isMuted() const { return m_muted; }
    // A file is loaded or loading: play, stop and seek have something to act on.
    bool hasMedia() const { return m_loaded || m_loading; }
    void setMuted(bool muted);

    // The component's own stop button: paused at position 0 with the file kept, Stopped queued.
    void stopFromControls();
    // The component's own seek bar: as a position write, but PositionChange is queued.
    void seekFromControls(double seconds);
    // A mouse button pressed on the component: button 1 left, 2 right, 4 middle; shift is a sum
    // of 1 Shift, 2 Ctrl, 4 Alt. MouseDown during the call.
    void mouseDownOnControls(int button, int shift, int x, int y);

signals:
    // The volume, the mute switch or the enabled state changed: what the controls show of them.
    // Not one of the component's own events.
    void controlsChanged();

protected:
    // Starts loading the file, paused at 0, in place of any other, and returns. The outcome goes
    // to loadFinished with the same ticket, at any time, even from inside this call.
    virtual void loadMedia(const QString &path, quint64 ticket) = 0;
    virtual void unloadMedia() = 0;
    virtual void resumeMedia() = 0;
    virtual void holdMedia() = 0;
    virtual void seekMedia(double seconds) = 0;
    virtual double mediaPosition() const = 0;
    virtual double mediaDuration() const = 0;
    // True when playback cannot go further: the end is reached (or the media ended on its own).
    virtual bool mediaAtEnd() const = 0;
    // The volume as heard, 0..maxVolume: the volume times the fade level.
    virtual void applyVolume(double volume) = 0;
    virtual void applyRate(double rate) = 0;
    virtual void applyMute(bool muted) = 0;
    virtual void applyVoiceLevelling(bool on) = 0;

    // The backend's answer to loadMedia; its events are raised from the event loop. A ticket of
    // a load given up since (another file, close) is dropped.
    void loadFinished(quint64 ticket, bool loaded);
    // The backend saw playback reach the end. Checked again when the event loop gets to it, so
    // a stale report (another file loaded, paused meanwhile) raises nothing.
    void mediaReachedEnd();

private:
    void completeLoad(quint64 ticket);
    void failLoad();
    // Resumes the loaded file; true when it stands at its end already.
    bool startPlaying();
    void raiseQueued(PlayState state);
    void finishMedia(quint64 generation);
    double clampedPosition(double seconds) const;

    QString m_url;
    PlayState m_state = PlayState::Undefined;
    bool m_enabled = true;
    bool m_loaded = false;
    bool m_loading = false;
    // play() was the last word while the file loaded.
    bool m_playWanted = false;
    // Positions written while the file loaded, in order, not yet clamped to its length.
    QList<double> m_pendingPositions;
    bool m_muted = false;
    int m_volume = 100;
    double m_rate = 1.0;
    double m_fade = 1.0;
    bool m_voiceLevelling = false;
    // Bumped by every load and close: the ticket of a load, and queued end reports of an older
    // file are dropped.
    quint64 m_generation = 0;
    // Bumped by every command that changes the file or the play state: a command given while
    // Media ended or a load error is handled takes over from the Stopped that would follow.
    quint64 m_commands = 0;
};
