#pragma once

#include "history/historyrecorder.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class HistoryWindow;
class MainWindow;
class PlayerSession;
class QTimer;

namespace album {
class AlbumSession;
}
namespace history {
struct ListeningSession;
}

// The profile's listening history at work: every stretch of playback is written to the history
// file beside the settings file as it ends (a pause, a stop, another record or album, the
// window closing at the exit),
// and View > History shows the file, from where Go There plays a session's album and record
// from where that session began.
class HistoryMenu : public QObject {
    Q_OBJECT
public:
    // The tick is the elapsed display's: where the record playing has got to.
    HistoryMenu(MainWindow &window, album::AlbumSession &albums, PlayerSession &session,
                const QTimer &tick, const QString &settingsFile, QObject *parent = nullptr);

    history::HistoryRecorder &recorder() { return m_recorder; }
    void showHistory();

private:
    void playbackChanged(bool playing);
    void recordChanged();
    void goThere(const history::ListeningSession &session);

    MainWindow &m_window;
    album::AlbumSession &m_albums;
    PlayerSession &m_session;
    QString m_settingsFile;
    history::HistoryRecorder m_recorder;
    QPointer<HistoryWindow> m_shown;
    // The titles of the albums, by key, as the window last opened or refreshed.
    QHash<QString, QString> m_titles;
};
