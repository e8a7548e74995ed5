#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class DialogKit;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace shell {

class ActionItemArray;

// What's This help for the main window's menus and controls. Help > What's This? enters the
// mode; a menu-bar menu opened in the mode is armed, and the entry then chosen from it shows its
// help instead of running. Every menu command passes through whatsThisMenuCommand first:
// connectCommand and connectArray see to that for the entries with a command, and an entry with
// none shows its help all the same. Help appears through the dialog component.
class WhatsThis : public QObject {
    Q_OBJECT
public:
    // menus: the bar table, the seven menu-bar menus in bar order, then Tray, List and Popup;
    // popup is the Popup menu whose entry shows a control's help. The menus and their submenus
    // must all exist by now.
    WhatsThis(DialogKit &dialogKit, QMenuBar *menuBar, const QList<QMenu *> &menus, QMenu *popup,
              QObject *parent = nullptr);
    ~WhatsThis() override;

    // True when the click was taken for help: the armed state ends, menus close and the entry's
    // help is shown. False otherwise; the command then runs.
    bool whatsThisMenuCommand(QAction *action);
    // Runs command when the entry is chosen, unless What's This takes the click.
    void connectCommand(QAction *action, std::function<void()> command);
    void connectArray(ActionItemArray *array, std::function<void(int)> command);

    // Help > What's This?: the help cursor shows until a menu-bar menu is opened (armed), a
    // control is clicked (its help shows) or Esc is pressed.
    void enterWhatsThisMode();
    bool isInWhatsThisMode() const { return m_mode; }
    // The bar table row of the armed menu; -1 when none is armed.
    int armedPosition() const { return m_armed; }
    // The row of the menu in the bar table, -1 when absent.
    int menuBarPosition(const QMenu *menu) const;

    // The common menu-opening step: arms a bar menu opened in What's This mode, and gives every
    // menu opened while armed the help cursor.
    void menuOpened(QMenu *menu);
    // The menu loop ended without a command taking the armed state.
    void menuLoopEnded();

    // The help number of the invisible help target: a highlighted entry's or a control's.
    int auxiliaryHelp() const { return m_auxiliaryHelp; }
    void setAuxiliaryHelp(int helpContext) { m_auxiliaryHelp = helpContext; }
    // True while the control help pop-up is open; menu selections are then not tracked.
    bool isContextHelpOpen() const { return m_contextHelpOpen; }
    // Shows the help for the number (nothing below 1).
    void showHelp(int helpContext);
    // The pop-up entry: shows the help target's number, then clears it and the pop-up flag.
    void showAuxiliaryHelp();
    // Opens the Popup menu at the mouse for a control's help number; when the right button that
    // asked for it is still down, on its release, so that the release cannot choose the entry.
    void showControlHelpMenu(int helpContext);

    // The application's help file name: the dialog component's help file, or empty while a menu
    // entry with help of its own is highlighted or a menu-bar menu opens.
    QString applicationHelpFile() const { return m_applicationHelpFile; }
    void useComponentHelpFile();
    void clearApplicationHelpFile() { m_applicationHelpFile.clear(); }

    // Closes every open menu.
    static void leaveMenuMode();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void leaveWhatsThisMode();
    void updateApplicationFilter();
    void coverUnhandledCommands(QMenu *menu);
    bool hasCommand(const QAction *action) const;
    void openControlHelpMenu();
    bool isMenuWidget(const QObject *object) const;
    void showWidgetHelp(QWidget *widget);

    DialogKit &m_dialogKit;
    QPointer<QMenuBar> m_menuBar;
    QList<QPointer<QMenu>> m_menus;
    QPointer<QMenu> m_popup;
    bool m_mode = false;
    int m_armed = -1;
    int m_auxiliaryHelp = 0;
    bool m_contextHelpOpen = false;
    bool m_controlHelpPending = false; // waits for the right button's release
    QString m_applicationHelpFile;
    QList<const QAction *> m_commands;
    QList<QPointer<ActionItemArray>> m_commandArrays;
};

} // namespace shell
