#pragma once

#include <QObject>
#include <QString>

#include <array>

// The Option menu's listening settings: how far the skip commands go back and forward, and
// whether playback rewinds a little after a long pause. Global, kept in section "fwMain" and
// written at once when changed.
class ListeningOptions : public QObject {
    Q_OBJECT
public:
    enum Skip { Back, Forward };
    static constexpr int defaultSkipSeconds = 30;
    static constexpr int longestSkipSeconds = 3600;

    explicit ListeningOptions(const QString &settingsFile, QObject *parent = nullptr);

    // Start-up: the stored values; a skip that is missing, not a number or out of 1..3600 seconds
    // is 30; the rewind is on only for a stored 1.
    void load();

    int skipSeconds(Skip skip) const { return m_skipSeconds[skip]; }
    void setSkipSeconds(Skip skip, int seconds);
    bool rewindsAfterPause() const { return m_rewind; }
    void setRewindAfterPause(bool on);

signals:
    void changed();

private:
    QString m_settingsFile;
    std::array<int, 2> m_skipSeconds{defaultSkipSeconds, defaultSkipSeconds};
    bool m_rewind = false;
};
