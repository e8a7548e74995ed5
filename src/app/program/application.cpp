#include "app/program/application.h"

#include "album/albumsession.h"
#include "app/menus/bookmarkmenu.h"
#include "app/menus/encodingmenu.h"
#include "app/menus/filemenu.h"
#include "app/menus/historymenu.h"
#include "app/menus/listeningmenu.h"
#include "app/menus/listeningoptions.h"
#include "app/menus/optionmenu.h"
#include "app/menus/options.h"
#include "app/menus/placesoffers.h"
#include "app/menus/profilemenu.h"
#include "app/menus/recordmenu.h"
#include "app/menus/shareplacesmenu.h"
#include "app/menus/skipcommands.h"
#include "app/menus/sleepmenu.h"
#include "app/menus/speedmenu.h"
#include "app/menus/viewmenu.h"
#include "app/program/commandline.h"
#include "app/program/schemelegend.h"
#include "app/window/albumdrop.h"
#include "app/window/announcements.h"
#include "app/window/chapterdisplay.h"
#include "app/window/controlstrip.h"
#include "app/window/elapseddisplay.h"
#include "app/window/listeneractivity.h"
#include "app/window/mainwindow.h"
#include "app/window/statusline.h"
#include "app/window/volumebox.h"
#include "bookmarks/bookmarksession.h"
#include "controls/slider.h"
#include "places/sharedplaces.h"
#include "platform/paths.h"
#include "platform/profilefile.h"
#include "player/playersession.h"
#include "player/sleeptimer.h"
#include "settings/settingsstore.h"
#include "shell/dialogs/outsidecommands.h"
#include "shell/menu/menuhook.h"
#include "shell/tray/trayicon.h"
#include "text/codepagechooser.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>

#include <cstring>

Application::Application(const ApplicationSetup &setup, QObject *parent)
    : QObject(parent), m_settingsFile(setup.settingsFile)
{
    MainWindowSetup windowSetup;
    windowSetup.dialogKit = setup.dialogKit;
    windowSetup.player = setup.player;
    windowSetup.settingsFile = setup.settingsFile;
    windowSetup.helpFile = setup.helpFile;
    m_window = std::make_unique<MainWindow>(windowSetup);
    composeStrip(setup.playerWidget, setup.player);
    createSessions(setup);
    createListening();
    createMirrors();
    createSharing();
    connectAlbumSession();
    m_options = new Options(m_settingsFile, setup.defaultTextEditor, this);
    m_optionMenu = new OptionMenu(*m_window, *m_options, this);
    connectOptions();
    m_profileMenu =
        new ProfileMenu(*m_window, *m_albumSession, m_settingsFile, setup.commandLinePath, this);
    connect(m_window.get(), &MainWindow::closing, this, &Application::saveOnEnd);
    platform::ProfileFile::setSaveObserver(
        [this](const QString &file, int error) { reportSave(file, error); });
}

Application::~Application()
{
    platform::ProfileFile::setSaveObserver({});
}

// Told in the status line, not in a box: a full disk would otherwise stop every command. What
// was not saved is kept and written by the next save that succeeds, which clears the note.
void Application::reportSave(const QString &file, int error)
{
    if (error == 0) {
        m_statusLine->setSaveProblem(QString());
        return;
    }
    // The file's name alone: the status field is narrow, and the reason must show.
    const QString name = QFileInfo(platform::toNativePath(file)).fileName();
    m_statusLine->setSaveProblem(
        tr("Could not save to %1: %2").arg(name, QString::fromLocal8Bit(std::strerror(error))));
}

void Application::start()
{
    settings::removeLeftoverTemporaryFiles(m_settingsFile);
    writeSchemeLegend(m_settingsFile);
    m_options->load();
    m_listening->load();
    m_sharePlaces->load();
    m_profileMenu->loadProfiles();
    m_elapsed->resetPositionBox();
    m_elapsed->tick();
    m_playerSession->resetRecordSeconds();
}

void Application::saveOnEnd()
{
    shell::TrayIcon *tray = m_window->trayIcon();
    if (tray && tray->isPresent())
        tray->remove();
    saveSession();
}

void Application::saveSession()
{
    m_albumSession->captureAndSave();
    m_places->publish();
    m_profileMenu->saveWindowPlacement();
}

void Application::receiveCommand(const QByteArray &command)
{
    if (command == "/i") {
        m_window->outsideCommands().post(this, [this] { handOver(); });
        return;
    }
    const QString path = handedOverPath(command);
    if (!path.isEmpty())
        m_window->outsideCommands().post(this, [this, path] { openHandedOver(path); });
}

void Application::handOver()
{
    shell::TrayIcon *tray = m_window->trayIcon();
    const bool trayPresent = tray && tray->isPresent();
    if (trayPresent)
        tray->remove();
    m_window->bringToFront();
    if (trayPresent)
        tray->add();
}

// The listener asked for this book, so the window comes back even from the tray, then opens it as
// File > Open does.
void Application::openHandedOver(const QString &path)
{
    m_window->restore();
    openAndActivate(*m_albumSession, path);
}

void Application::connectOptions()
{
    Options *options = m_options;
    m_albumSession->setTextEditor([options] { return options->textEditor(); });
    m_viewMenu->setMp3Editor([options] { return options->mp3Editor(); });
    connect(options, &Options::switchChanged, this, [this](Options::Switch option, bool on) {
        switch (option) {
        case Options::AlwaysOnTop:
            m_window->setTopmost(on);
            break;
        case Options::MinimizeOnClose:
            m_window->setMinimizeOnClose(on);
            break;
        case Options::HideToTray:
            m_window->setHideToTray(on);
            break;
        case Options::MultiColumnMenu:
            m_recordMenu->setMultiColumn(on);
            break;
        }
    });
}

// The strip goes under the menus; the two show each other's help and tips.
void Application::composeStrip(QWidget *playerWidget, const PlayerComponent *player)
{
    m_strip = new ControlStrip(playerWidget, player);
    connect(m_strip, &ControlStrip::controlHelpRequested, m_window.get(),
            &MainWindow::showControlHelpMenu);
    connect(&m_window->menuHook(), &shell::MenuHook::statusTipChanged, m_strip,
            &ControlStrip::showStatusTip);
    m_window->setControlStrip(m_strip);
}

void Application::createSessions(const ApplicationSetup &setup)
{
    text::TitleEncodingChooser *chooser = setup.encodingChooser;
    if (!chooser) {
        m_ownEncodingChooser = std::make_unique<text::QtTitleEncodingChooser>(m_window.get());
        chooser = m_ownEncodingChooser.get();
    }
    m_playerSession = std::make_unique<PlayerSession>(*setup.player, m_records);
    album::AlbumSession::Collaborators with;
    with.dialogKit = &m_window->dialogKit();
    with.encodingChooser = chooser;
    with.playerSession = m_playerSession.get();
    with.settingsFile = setup.settingsFile;
    m_albumSession = std::make_unique<album::AlbumSession>(with);
    m_playerSession->setCaptureAndSave([this] { m_albumSession->captureAndSave(); });
    album::AlbumSession *albums = m_albumSession.get();
    m_bookmarks = std::make_unique<BookmarkSession>(BookmarkSession::Collaborators{
        m_playerSession.get(), with.dialogKit, [albums] { return albums->activeMarks(); },
        [albums](const QString &marks, bool save) { albums->storeActiveMarks(marks, save); }});
}

void Application::createMirrors()
{
    // The menu mirrors live as children of the application.
    new FileMenu(*m_window, *m_albumSession, this);
    new AlbumDropTarget(*m_window, *m_albumSession, m_window->outsideCommands(), this);
    m_recordMenu = new RecordMenu(*m_window, *m_playerSession, this);
    new EncodingMenu(*m_window, *m_albumSession, this);
    new BookmarkMenu(*m_window, *m_bookmarks, this);
    m_elapsed = new ElapsedDisplay(*m_strip, *m_playerSession, this);
    new VolumeBox(*m_strip->volumeBox(), m_playerSession->player(), this);
    m_viewMenu = new ViewMenu(*m_window, *m_playerSession, *m_albumSession, this);

    new ChapterDisplay(*m_strip, *m_statusLine, *m_playerSession, m_elapsed->timer(), this);
    new HistoryMenu(*m_window, *m_albumSession, *m_playerSession, m_elapsed->timer(),
                    m_settingsFile, this);
    new Announcements(*m_window, *m_strip->boxStrip(), *m_sleepTimer, *m_bookmarks, this);
    connect(m_playerSession.get(), &PlayerSession::mediaCaptionChanged, m_statusLine,
            &StatusLine::setMediaCaption);
}

// Speed, sleep timer, skipping and rewinding, and the status line that shows the first two.
void Application::createListening()
{
    PlayerComponent &player = m_playerSession->player();
    m_listening = new ListeningOptions(m_settingsFile, this);
    m_sleepTimer = new SleepTimer(*m_playerSession, this);
    m_statusLine = new StatusLine(*m_strip, m_window->font(), player, *m_sleepTimer, this);
    new SpeedMenu(*m_window, player, this);
    new SleepMenu(*m_window, *m_sleepTimer, m_settingsFile, this);
    auto *activity = new ListenerActivity(*m_sleepTimer, this);
    connect(&m_window->outsideCommands(), &shell::OutsideCommands::commandRunning, activity,
            &ListenerActivity::commandArrived);
    for (QAction *trayCommand : m_window->menus().tray->actions())
        connect(trayCommand, &QAction::triggered, activity, &ListenerActivity::commandArrived);
    new SkipCommands(*m_window, *m_playerSession, *m_listening, this);
    new ListeningMenu(*m_window, *m_albumSession, *m_playerSession, this);
}

// Places shared with the household's other computers; a merge waits while a question is open,
// so that an answer never lands on an entry that changed under it.
void Application::createSharing()
{
    m_places = new places::SharedPlaces(*m_albumSession, *m_playerSession, this);
    m_places->setBusy([] { return QApplication::activeModalWidget() != nullptr; });
    m_sharePlaces = new SharePlacesMenu(*m_window, *m_places, m_settingsFile, this);
    new PlacesOffers(*m_window, *m_places, this);
    connect(m_places, &places::SharedPlaces::problemChanged, m_statusLine,
            &StatusLine::setSharingProblem);
}

void Application::connectAlbumSession()
{
    album::AlbumSession *session = m_albumSession.get();
    const MenuTree &menus = m_window->menus();
    connect(session, &album::AlbumSession::windowCaptionChanged, m_window.get(),
            &QWidget::setWindowTitle);
    connect(session, &album::AlbumSession::recordMenuEnabled, menus.record->menuAction(),
            &QAction::setEnabled);
    connect(session, &album::AlbumSession::bookmarkMenuEnabled, menus.bookmark->menuAction(),
            &QAction::setEnabled);
    connect(session, &album::AlbumSession::bookmarksLoaded, m_bookmarks.get(),
            &BookmarkSession::load);
    connect(session, &album::AlbumSession::sessionCleared, this, [this] {
        m_bookmarks->load({});
        m_elapsed->clear();
        m_statusLine->setMediaCaption(QString());
    });
}
