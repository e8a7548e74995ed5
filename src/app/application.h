#pragma once

#include "player/recordlist.h"

#include <QObject>
#include <QString>

#include <memory>

class BookmarkMenu;
class ControlStrip;
class DialogKit;
class ElapsedDisplay;
class MainWindow;
class PlayerComponent;
class PlayerSession;
class QWidget;
class RecordMenu;

namespace album {
class AlbumSession;
}
namespace text {
class TitleEncodingChooser;
}

// What the program is put together from.
struct ApplicationSetup {
    PlayerComponent *player = nullptr; // required; outlives the application
    QWidget *playerWidget = nullptr;   // the player's own controls, taken into the window
    // Missing ones are made over the window: Qt's dialogs and the encoding chooser window.
    DialogKit *dialogKit = nullptr;
    text::TitleEncodingChooser *encodingChooser = nullptr;
    QString settingsFile;    // internal path
    QString helpFile;        // internal path of "<base>.hlp"
    QString commandLinePath; // internal, absolute; empty when none was given
};

// The whole program but its process: the main window with its control strip, the record list,
// the player session and the album session, and the mirrors and displays that wire them to the
// window. Closing the window (File > Exit, Alt+X, the close box) saves the active album's state.
class Application : public QObject {
    Q_OBJECT
public:
    explicit Application(const ApplicationSetup &setup, QObject *parent = nullptr);
    ~Application() override;

    // Start-up from the settings file on: the "Scheme" legend, the active profile's albums (the
    // command-line path opened and the first usable album activated, positioned but not
    // playing), then the time display brought up to date.
    void start();
    // The end of the program: the active album's state captured and saved.
    void saveOnEnd();

    MainWindow &window() const { return *m_window; }
    ControlStrip &strip() const { return *m_strip; }
    RecordList &records() { return m_records; }
    PlayerSession &playerSession() const { return *m_playerSession; }
    album::AlbumSession &albumSession() const { return *m_albumSession; }
    ElapsedDisplay &elapsedDisplay() const { return *m_elapsed; }

private:
    void composeStrip(QWidget *playerWidget, const PlayerComponent *player);
    void createSessions(const ApplicationSetup &setup);
    void createMirrors();
    void connectAlbumSession();

    QString m_settingsFile;
    QString m_commandLinePath;
    std::unique_ptr<MainWindow> m_window;
    ControlStrip *m_strip = nullptr;
    std::unique_ptr<text::TitleEncodingChooser> m_ownEncodingChooser;
    RecordList m_records;
    std::unique_ptr<PlayerSession> m_playerSession;
    std::unique_ptr<album::AlbumSession> m_albumSession;
    RecordMenu *m_recordMenu = nullptr;
    BookmarkMenu *m_bookmarkMenu = nullptr;
    ElapsedDisplay *m_elapsed = nullptr;
};
