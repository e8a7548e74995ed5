#pragma once

#include <QObject>

class MainWindow;

namespace album {
class AlbumSession;
}

// The File menu at work: its commands go to the album session (each first offered to What's
// This), the album items mirror the album list, and each time the menu opens its commands are
// enabled as the album list allows. Exit (and Alt+X) ends the program.
class FileMenu : public QObject {
    Q_OBJECT
public:
    FileMenu(MainWindow &window, album::AlbumSession &session, QObject *parent = nullptr);

    // The album items and the Remove list anew from the album list; item 0 is checked while its
    // album is active.
    void showAlbums();

private:
    void connectCommands();
    void showAvailability();

    MainWindow &m_window;
    album::AlbumSession &m_session;
};
