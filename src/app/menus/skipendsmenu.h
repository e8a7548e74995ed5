#pragma once

#include <QObject>

class MainWindow;
class PlayerSession;
class QAction;

namespace album {
class AlbumSession;
}

// Option > Skip Intro and Skip Outro at work: each asks for the seconds the active album skips
// at every record's start or end (0 for none), offering the player's place as the answer (for
// the outro, the time left in the record), and shows the seconds in use beside the entry.
// Enabled while an album is active.
class SkipEndsMenu : public QObject {
    Q_OBJECT
public:
    SkipEndsMenu(MainWindow &window, album::AlbumSession &albums, PlayerSession &session,
                 QObject *parent = nullptr);

    enum End { Intro, Outro };
    void ask(End end);

private:
    // The seconds the listener would most likely want: where the player stands.
    int suggestion(End end) const;
    void showSkips();

    MainWindow &m_window;
    album::AlbumSession &m_albums;
    PlayerSession &m_session;
    QAction *m_intro;
    QAction *m_outro;
};
