#pragma once

#include "player/playerbase.h"

#include <QHash>
#include <QSet>

// A player with no sound for tests: it keeps the event contract of the real one, and time
// passes only when the test says so.
class FakePlayer : public PlayerBase {
    Q_OBJECT
public:
    using PlayerBase::PlayerBase;

    // The duration a file reports once loaded; a file given none reports 0 and never ends by
    // itself.
    void setDuration(const QString &path, double seconds);
    // Loading this path fails, as a missing or undecodable file does. Loads end at the event
    // loop's next turn.
    void setUnloadable(const QString &path);

    // Lets seconds of wall-clock time pass: moves the position by seconds times the rate while
    // playing and, at the duration, ends the file as playback would.
    void advance(double seconds);
    // Playback reaches the end of the file now, whatever its duration; only while playing.
    void reachEnd();

    QString versionInfo() const override { return QStringLiteral("Fake player"); }

protected:
    void loadMedia(const QString &path, quint64 ticket) override;
    void unloadMedia() override;
    void resumeMedia() override { m_running = !m_atEnd; }
    void holdMedia() override { m_running = false; }
    void seekMedia(double seconds) override;
    double mediaPosition() const override { return m_position; }
    double mediaDuration() const override { return m_duration; }
    bool mediaAtEnd() const override { return m_atEnd; }
    void applyVolume(double) override {}
    void applyRate(double) override {}
    void applyMute(bool) override {}
    void applyVoiceLevelling(bool) override {}

private:
    QHash<QString, double> m_durations;
    QSet<QString> m_unloadable;
    double m_position = 0;
    double m_duration = 0;
    bool m_running = false;
    bool m_atEnd = false;
};
