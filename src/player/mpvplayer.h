#pragma once

#include "player/mpvload.h"
#include "player/playerbase.h"

#include <QPointer>
#include <QTimer>

struct mpv_handle;
struct mpv_event;
class PlayerWidget;
class QWidget;

// The player on libmpv, audio only, with its own row of controls. libmpv reports from its own
// threads; everything here, events included, happens on the UI thread.
class MpvPlayer : public PlayerBase {
    Q_OBJECT
public:
    // audioOutput names an mpv audio output ("null" keeps time with no sound device); empty
    // takes the system's. Create only once QApplication exists. Without a usable libmpv the
    // player loads nothing.
    explicit MpvPlayer(const QString &audioOutput = QString(), QObject *parent = nullptr);
    ~MpvPlayer() override;

    // The component's controls, for a window to place; deleted with the player unless the
    // window deletes it first.
    QWidget *widget() const;
    QString versionInfo() const override;
    // True while libmpv's time-stretching filter is in the sound's path, so that a rate other
    // than 1 keeps the pitch.
    bool keepsPitch() const { return m_keepsPitch; }
    // While held, a load waits (as for a slow disk) and is sent on release, so that the file's
    // probing and the sound output's start do not compete with a window about to show.
    void holdLoads(bool hold);
    // Writes the sound to a WAV file as fast as it decodes, in place of the audio output: what a
    // listener would have heard, for tests and measurements. Before the first load.
    void renderToFile(const QString &nativePath);

protected:
    void loadMedia(const QString &path, quint64 ticket) override;
    void unloadMedia() override;
    void resumeMedia() override;
    void holdMedia() override;
    void seekMedia(double seconds) override;
    double mediaPosition() const override;
    double mediaDuration() const override;
    bool mediaAtEnd() const override;
    void applyVolume(double volume) override;
    void applyRate(double rate) override;
    void applyMute(bool muted) override;
    void applyVoiceLevelling(bool on) override;

private:
    bool configure(const QString &audioOutput);
    static void wakeUp(void *context);
    void drainEvents();
    void handleEvent(const mpv_event &event);
    // Reports the load under way once libmpv has said how it went.
    void settleLoad();
    void forgetFile();
    void checkForEnd();
    void noteLogMessage(const mpv_event &event);
    void sendLoad(const QString &path, quint64 ticket);

    mpv_handle *m_mpv = nullptr;
    QPointer<PlayerWidget> m_widget;
    bool m_holdingLoads = false;
    // The load that waits for the release: its ticket (0 when none waits) and file.
    quint64 m_heldTicket = 0;
    QString m_heldPath;
    // The load under way, or the file loaded.
    MpvLoad m_load;
    // time-pos keeps its old value until a seek completes: until then the target is the
    // position.
    bool m_seekPending = false;
    double m_seekTarget = 0;
    // libmpv does not always announce the end (an unpause right after a seek into the last
    // moments): while playing, it is also looked for on a timer.
    QTimer m_endWatch;
    bool m_keepsPitch = false;
};
