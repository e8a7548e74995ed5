#pragma once

#include "player/recordlist.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class BookmarkSession;
class ControlStrip;
class DialogKit;
class ElapsedDisplay;
class ListeningOptions;
class MainWindow;
class OptionMenu;
class Options;
class PlayerComponent;
class PlayerSession;
class QWidget;
class ProfileMenu;
class RecordMenu;
class SharePlacesMenu;
class SleepTimer;
class StatusLine;
class ViewMenu;

namespace album {
class AlbumSession;
}
namespace places {
class SharedPlaces;
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
    // The text editor to use while none is stored (internal path, empty for none); asked only
    // when an editor is first wanted.
    std::function<QString()> defaultTextEditor;
};

// The whole program but its process: the main window with its control strip, the record list,
// the player session and the album session, the profiles and options, and the mirrors and
// displays that wire them to the window. Ending the program (File > Exit, Alt+X, the close box
// while Minimize On Close is off, an end request) saves the active album and the placement.
class Application : public QObject {
    Q_OBJECT
public:
    explicit Application(const ApplicationSetup &setup, QObject *parent = nullptr);
    ~Application() override;

    // Start-up from the settings file on: what an ended run's writes left behind removed, the
    // "Scheme" legend, the options, the profile list and the first profile's placement and albums
    // (the command-line path opened and the first usable album activated, positioned but not
    // playing), then the time display brought up to date.
    void start();
    // The end of the program: the tray icon removed, the active album's state captured and
    // saved, the window placement saved.
    void saveOnEnd();
    // The session manager's save: the active album and the window placement, nothing else.
    void saveSession();
    // A command handed over by a later start, run once any question the program asks has been
    // answered: "/i" shows the tray icon anew (when present) and brings the window forward unless
    // it is hidden behind the icon; a path to open brings the window back, from the tray too,
    // and opens and activates the path as File > Open does. Others are ignored.
    void receiveCommand(const QByteArray &command);

    MainWindow &window() const { return *m_window; }
    ControlStrip &strip() const { return *m_strip; }
    RecordList &records() { return m_records; }
    PlayerSession &playerSession() const { return *m_playerSession; }
    album::AlbumSession &albumSession() const { return *m_albumSession; }
    ElapsedDisplay &elapsedDisplay() const { return *m_elapsed; }
    Options &options() const { return *m_options; }
    ProfileMenu &profileMenu() const { return *m_profileMenu; }
    OptionMenu &optionMenu() const { return *m_optionMenu; }
    ListeningOptions &listeningOptions() const { return *m_listening; }
    SleepTimer &sleepTimer() const { return *m_sleepTimer; }
    places::SharedPlaces &sharedPlaces() const { return *m_places; }
    SharePlacesMenu &sharePlacesMenu() const { return *m_sharePlaces; }

private:
    void handOver();
    void reportSave(const QString &file, int error);
    void openHandedOver(const QString &path);
    void composeStrip(QWidget *playerWidget, const PlayerComponent *player);
    void createSessions(const ApplicationSetup &setup);
    void createMirrors();
    void connectAlbumSession();
    void connectOptions();
    void createListening();
    void createSharing();

    QString m_settingsFile;
    std::unique_ptr<MainWindow> m_window;
    ControlStrip *m_strip = nullptr;
    std::unique_ptr<text::TitleEncodingChooser> m_ownEncodingChooser;
    RecordList m_records;
    std::unique_ptr<PlayerSession> m_playerSession;
    std::unique_ptr<album::AlbumSession> m_albumSession;
    std::unique_ptr<BookmarkSession> m_bookmarks;
    RecordMenu *m_recordMenu = nullptr;
    ViewMenu *m_viewMenu = nullptr;
    ElapsedDisplay *m_elapsed = nullptr;
    Options *m_options = nullptr;
    ProfileMenu *m_profileMenu = nullptr;
    OptionMenu *m_optionMenu = nullptr;
    ListeningOptions *m_listening = nullptr;
    SleepTimer *m_sleepTimer = nullptr;
    StatusLine *m_statusLine = nullptr;
    places::SharedPlaces *m_places = nullptr;
    SharePlacesMenu *m_sharePlaces = nullptr;
};
