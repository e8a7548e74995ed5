#pragma once

#include <QObject>
#include <QString>

// The component's published play-state numbers; the program acts on 1, 2, 3, 8 and 10.
enum class PlayState : int {
    Undefined = 0,
    Stopped = 1,
    Paused = 2,
    Playing = 3,
    MediaEnded = 8,
    Transitioning = 9,
    Ready = 10,
};

// Play can start playback in this state: stopped, paused, or loaded and ready; not while a file
// loads, has ended or nothing is loaded.
inline bool mayPlayNow(PlayState state)
{
    return state == PlayState::Stopped || state == PlayState::Paused || state == PlayState::Ready;
}

// The embedded media player as the program sees it. Paths are in the internal form. Events come
// on the UI thread, some during the call that caused them and some queued; the order of each
// call's events is a contract that every implementation keeps: eventcontract.md beside this file
// (checked by the contract tests).
class PlayerComponent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The loudest volume: 100 is the sound as recorded, above it is amplified.
    static constexpr int maxVolume = 200;

    // Starts loading the file and returns at once (Transitioning); the load ends in MediaChange
    // and Ready (position 0, not playing) or in MediaError. Reads back the path that was set.
    virtual QString url() const = 0;
    virtual void setUrl(const QString &path) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual PlayState playState() const = 0;
    // What the listener last asked for: playing, or a file loading that plays once loaded.
    virtual bool wantsToPlay() const = 0;

    // controls.play(), controls.pause(); while a file loads they decide whether it starts.
    virtual void play() = 0;
    virtual void pause() = 0;
    // Stops and unloads the current file, also one still loading.
    virtual void close() = 0;

    // controls.currentPosition in seconds; a written position reads back at once, also while
    // the file loads.
    virtual double currentPosition() const = 0;
    virtual void setCurrentPosition(double seconds) = 0;
    // controls.currentItem.duration in seconds; 0 with no file and while it loads.
    virtual double currentItemDuration() const = 0;

    // settings.volume, 0..maxVolume
    virtual int volume() const = 0;
    virtual void setVolume(int volume) = 0;
    // settings.rate: playback speed, the pitch kept; positions and durations stay in the file's
    // own time. Kept across files.
    virtual double rate() const = 0;
    virtual void setRate(double rate) = 0;
    // A share of the volume (1 whole, 0 silent) that fades the sound without changing volume().
    virtual double fadeLevel() const = 0;
    virtual void setFadeLevel(double level) = 0;
    // Evens out quiet and loud passages of speech. Positions stay in the file's own time; kept
    // across files.
    virtual bool voiceLevelling() const = 0;
    virtual void setVoiceLevelling(bool on) = 0;

    virtual QString versionInfo() const = 0;

signals:
    void playStateChange(int newState);
    void positionChange(double oldPosition, double newPosition);
    void mediaChange(const QString &item);
    // The file set as URL cannot be played (missing, unreadable, not audio).
    void mediaError(const QString &item);
    void mouseDown(int button, int shift, int x, int y);
    // The rate was changed (not one of the component's own events: what the window shows of it).
    void rateChanged(double rate);
};
