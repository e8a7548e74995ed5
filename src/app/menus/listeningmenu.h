#pragma once

#include <QObject>

class MainWindow;
class PlayerSession;
class QAction;

namespace album {
class AlbumSession;
}

// The active album's own listening entries of the Option menu at work. Level Voice turns the
// player's voice levelling over (checked while on), kept with the album as its volume is. Skip
// Intro and Skip Outro each ask for the seconds the album skips at every record's start or end
// (0 for none), offering the player's place as the answer (for the outro, the time left in the
// record), and show the seconds in use beside the entry. Enabled while an album is active.
class ListeningMenu : public QObject {
    Q_OBJECT
public:
    ListeningMenu(MainWindow &window, album::AlbumSession &albums, PlayerSession &session,
                  QObject *parent = nullptr);

    enum End { Intro, Outro };
    void ask(End end);

private:
    // The seconds the listener would most likely want: where the player stands.
    int suggestion(End end) const;
    void toggleLevelVoice();
    void showSettings();

    MainWindow &m_window;
    album::AlbumSession &m_albums;
    PlayerSession &m_session;
    QAction *m_levelVoice;
    QAction *m_intro;
    QAction *m_outro;
};
