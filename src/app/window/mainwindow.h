#pragma once

#include "album/albumcaption.h"
#include "app/window/menutree.h"
#include "settings/windowplacement.h"
#include "shell/menu/menucolumns.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>

#include <memory>

class AlbumMenu;
class DialogKit;
class PlayerComponent;
class QCloseEvent;
class QMoveEvent;

namespace shell {
class HelpCommands;
class MenuColumnLayout;
class MenuHook;
class MenuStyle;
class OutsideCommands;
class TrayIcon;
class WhatsThis;
} // namespace shell

// What the main window works with: the dialog component, the player and the files.
struct MainWindowSetup {
    // When none is given, the window makes Qt's dialogs, owned by itself.
    DialogKit *dialogKit = nullptr;
    PlayerComponent *player = nullptr;
    QString settingsFile; // internal path
    QString helpFile;     // internal path of "<base>.hlp"; the dialog component names the real one
};

// The application's one window: its menus and their machinery, the album menu and the place of
// the control strip. The session objects of the other subsystems hang off it.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowSetup &setup, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The control strip fills the window below the menu bar.
    void setControlStrip(QWidget *strip);

    const MenuTree &menus() const { return m_menus; }
    // The menu entry with that name ("mFileOpen", "mFileList0"); nullptr when there is none.
    QAction *menuItem(const QString &name) const;
    shell::WhatsThis &whatsThis() { return *m_whatsThis; }
    // Where commands from outside the window's own events wait for any question to close.
    shell::OutsideCommands &outsideCommands() { return *m_outsideCommands; }
    shell::MenuHook &menuHook() { return *m_menuHook; }
    shell::HelpCommands &helpCommands() { return *m_helpCommands; }
    AlbumMenu &albumMenu() { return *m_albumMenu; }
    const album::MonthNames &monthNames() const { return m_monthNames; }
    DialogKit &dialogKit() const { return m_dialogKit; }
    PlayerComponent *player() const { return m_player; }
    const QString &settingsFile() const { return m_settingsFile; }

    // The Record menu in columns when enabled and longer than the screen, else in one scrolling
    // column; call again after the record list changes.
    shell::MenuColumns arrangeRecordMenu(bool enabled);

    // The window's state and the place of its frame while normal: the last normal place while
    // minimised or maximised.
    settings::WindowPlacement placement() const;
    // The placement's place becomes the normal one; the state is applied at once.
    void applyPlacement(const settings::WindowPlacement &placement);
    // Kept above other windows or not, without moving or activating the window.
    void setTopmost(bool on);
    // The window's own close command minimises instead of closing.
    void setMinimizeOnClose(bool on) { m_minimizeOnClose = on; }
    // Minimising hides the window behind the tray icon, where the desktop has a tray.
    void setHideToTray(bool on) { m_hideToTray = on; }
    // The tray icon, once there is one (it outlives the window); nullptr for none.
    void setTrayIcon(shell::TrayIcon *tray) { m_tray = tray; }
    shell::TrayIcon *trayIcon() const { return m_tray; }
    // Raises and activates the window unless it is hidden behind the tray icon.
    void bringToFront();
    // The one way back for a window hidden in the tray or minimised: the tray's Restore and double
    // click, the desktop's Raise and a book handed over. The icon goes; the window comes forward.
    void restore();

public slots:
    // The program's own close (File > Exit, an end request): never just minimises.
    void endProgram();
    // The What's This pop-up of a control: its "What's This?" shows the help number.
    void showControlHelpMenu(int helpContext);

signals:
    // The window is being closed for good (File > Exit, an end request, the close box while
    // Minimize On Close is off): the last moment to save.
    void closing();

protected:
    // A close that is not the program's own (the close box, the system menu and its shortcut)
    // minimises while Minimize On Close is on.
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void placeNormally();
    // The inside place nearest to insideTopLeft where the window can be reached on a screen.
    QPoint keptOnScreen(QPoint insideTopLeft) const;
    // Hide To System Tray is on and a tray is there to hide in.
    bool hidesToTray() const;
    void applyMenuStyle();
    void applyHelpFile(const QString &helpFile);
    void connectHelpCommands();
    void createHelpAndTray();

    std::unique_ptr<DialogKit> m_ownDialogKit;
    DialogKit &m_dialogKit;
    PlayerComponent *m_player;
    QString m_settingsFile;
    MenuTree m_menus;
    album::MonthNames m_monthNames;
    shell::MenuStyle *m_menuStyle = nullptr;
    shell::WhatsThis *m_whatsThis = nullptr;
    shell::OutsideCommands *m_outsideCommands = nullptr;
    shell::MenuHook *m_menuHook = nullptr;
    shell::MenuColumnLayout *m_recordColumns = nullptr;
    shell::HelpCommands *m_helpCommands = nullptr;
    std::unique_ptr<AlbumMenu> m_albumMenu;
    QPoint m_normalPosition;
    bool m_minimizeOnClose = false;
    bool m_ending = false;
    bool m_hideToTray = false;
    // Put in the tray by the close box, without a minimise: saved as minimised until shown.
    bool m_closedToTray = false;
    shell::TrayIcon *m_tray = nullptr;
};
