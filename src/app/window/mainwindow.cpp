#include "app/window/mainwindow.h"

#include "app/window/albummenu.h"
#include "app/window/windowicon.h"
#include "player/playercomponent.h"
#include "settings/settingsstore.h"
#include "shell/dialogs/dialogkit.h"
#include "shell/dialogs/outsidecommands.h"
#include "shell/dialogs/qtdialogkit.h"
#include "shell/help/appinfo.h"
#include "shell/help/helpcommands.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/menucolumnlayout.h"
#include "shell/menu/menuhook.h"
#include "shell/menu/menustyle.h"
#include "shell/menu/whatsthis.h"
#include "shell/tray/systemtrayicon.h"
#include "shell/tray/traymenu.h"
#include "version.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

MainWindow::MainWindow(const MainWindowSetup &setup, QWidget *parent)
    : QMainWindow(parent),
      m_ownDialogKit(setup.dialogKit ? nullptr : std::make_unique<QtDialogKit>(this)),
      m_dialogKit(setup.dialogKit ? *setup.dialogKit : *m_ownDialogKit), m_player(setup.player),
      m_settingsFile(setup.settingsFile)
{
    setObjectName("fwMain");
    setWindowTitle(QString::fromLatin1(version::title));
    setWindowIcon(drawWindowIcon());
    // Text measured in the window's font then has the width it has in a menu.
    setFont(QApplication::font("QMenu"));
    const QFontMetrics metrics = fontMetrics();
    m_monthNames = album::buildMonthNames(
        QLocale(), [&metrics](const QString &text) { return metrics.horizontalAdvance(text); });

    m_menus = buildMenuTree(menuBar(), this);
    applyMenuStyle();
    m_outsideCommands = new shell::OutsideCommands(this);
    m_whatsThis =
        new shell::WhatsThis(m_dialogKit, menuBar(), m_menus.barTable(), m_menus.popup, this);
    m_menuHook = new shell::MenuHook(*m_whatsThis, m_menus.barTable(), m_menus.arrays(), this);
    // A profile may hold thousands of albums, an album thousands of bookmarks: their entries wait
    // until the menus are opened.
    for (shell::ActionItemArray *list :
         {m_menus.fileList, m_menus.fileRemoveList, m_menus.bookmarkList,
          m_menus.bookmarkDeleteList, m_menus.bookmarkRenameList})
        list->deferEntries();
    m_albumMenu = std::make_unique<AlbumMenu>(
        AlbumMenu::Entries{m_menus.fileList, m_menus.fileRemoveList, m_menus.fileListSeparator,
                           menuItem("mFileRemove")},
        m_monthNames);
    m_albumMenu->showAlbumList(album::AlbumList());
    applyHelpFile(setup.helpFile);
    connectHelpCommands();
    createHelpAndTray();
    resize(480, minimumSizeHint().height());
    m_normalPosition = geometry().topLeft();
}

MainWindow::~MainWindow() = default;

void MainWindow::setControlStrip(QWidget *strip)
{
    setCentralWidget(strip);
}

QAction *MainWindow::menuItem(const QString &name) const
{
    if (QAction *item = findChild<QAction *>(name))
        return item;
    for (const shell::ActionItemArray *array : m_menus.arrays())
        array->createDeferredEntries();
    return findChild<QAction *>(name);
}

shell::MenuColumns MainWindow::arrangeRecordMenu(bool enabled)
{
    return m_recordColumns->arrange(enabled, *this);
}

void MainWindow::showControlHelpMenu(int helpContext)
{
    m_whatsThis->showControlHelpMenu(helpContext);
}

settings::WindowPlacement MainWindow::placement() const
{
    settings::WindowPlacement placement;
    const bool minimized = (windowState() & Qt::WindowMinimized) || m_closedToTray;
    const bool normal = !minimized && !(windowState() & Qt::WindowMaximized);
    const QPoint position = normal ? geometry().topLeft() : m_normalPosition;
    placement.left = position.x();
    placement.top = position.y();
    if (minimized)
        placement.state = settings::WindowPlacement::Minimized;
    else if (windowState() & Qt::WindowMaximized)
        placement.state = settings::WindowPlacement::Maximized;
    return placement;
}

void MainWindow::applyPlacement(const settings::WindowPlacement &placement)
{
    m_normalPosition = QPoint(placement.left, placement.top);
    // Placed first while still normal, so that leaving the new state returns there.
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        placeNormally();
    Qt::WindowStates state = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (placement.state == settings::WindowPlacement::Minimized)
        state |= Qt::WindowMinimized;
    else if (placement.state == settings::WindowPlacement::Maximized)
        state |= Qt::WindowMaximized;
    setWindowState(state);
    if (placement.state == settings::WindowPlacement::Normal)
        placeNormally();
}

// The place kept is the window's own, inside the frame: before the window is first shown its
// frame is unknown, so a frame position would be taken for the inside one and every start would
// creep by the frame's size.
void MainWindow::placeNormally()
{
    m_normalPosition = keptOnScreen(m_normalPosition);
    setGeometry(QRect(m_normalPosition, size()));
}

// A place stored at another scale factor or on a larger screen would put the window where no
// one can reach it.
QPoint MainWindow::keptOnScreen(QPoint insideTopLeft) const
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    // Before the window is first shown its frame is unknown: the style's title bar stands in.
    const int frameTop = geometry().top() - frameGeometry().top();
    const int titleBar = frameTop > 0 ? frameTop : style()->pixelMetric(QStyle::PM_TitleBarHeight);
    // Before it is first shown the window has not grown to its control strip yet.
    const QSize shown = size().expandedTo(minimumSizeHint());
    return settings::keptOnScreens(insideTopLeft, shown, titleBar, screens);
}

void MainWindow::setTopmost(bool on)
{
    // Qt's own way re-creates a shown window, which hides it; the window system is told
    // directly instead.
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, on);
    overrideWindowFlags(flags);
    if (QWindow *handle = windowHandle())
        handle->setFlags(flags);
}

void MainWindow::bringToFront()
{
    if (isHidden())
        return;
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        move(pos() + keptOnScreen(geometry().topLeft()) - geometry().topLeft());
    raise();
    activateWindow();
}

void MainWindow::restore()
{
    // No icon is left standing in for a shown window.
    if (m_tray)
        m_tray->remove();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    bringToFront();
}

void MainWindow::endProgram()
{
    m_ending = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_ending && m_minimizeOnClose) {
        event->ignore();
        // Asked to minimise, the window system would act after the window is already hidden in
        // the tray, and iconify it again once the tray brings it back: it goes there at once,
        // and counts as minimised only for the placement saved.
        if (hidesToTray() && m_tray->add()) {
            m_closedToTray = true;
            hide();
        } else {
            setWindowState(windowState() | Qt::WindowMinimized);
        }
        return;
    }
    emit closing();
    QMainWindow::closeEvent(event);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized() || isHidden() ||
        !hidesToTray())
        return;
    // Hidden from the event loop: the window system is still minimising the window.
    QTimer::singleShot(0, this, [this] {
        if (isMinimized() && !isHidden() && m_tray->add())
            hide();
    });
}

bool MainWindow::hidesToTray() const
{
    return m_hideToTray && m_tray && m_tray->isAvailable();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    m_closedToTray = false;
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        m_normalPosition = geometry().topLeft();
}

void MainWindow::applyMenuStyle()
{
    m_menuStyle = new shell::MenuStyle(true, this);
    for (QMenu *menu : m_menus.allMenus())
        menu->setStyle(m_menuStyle);
    m_recordColumns = new shell::MenuColumnLayout(*m_menus.recordList, this);
}

// The dialog component names the help file it shows; Help Topics and the pop-up's What's This
// are offered only when that file exists.
void MainWindow::applyHelpFile(const QString &helpFile)
{
    if (!helpFile.isEmpty())
        m_dialogKit.setHelpFile(helpFile);
    const bool exists =
        !m_dialogKit.helpFile().isEmpty() && settings::fileExists(m_dialogKit.helpFile());
    menuItem("mHelpTopics")->setEnabled(exists);
    menuItem("mPopupWhatsThis")->setEnabled(exists);
}

void MainWindow::connectHelpCommands()
{
    m_whatsThis->connectCommand(menuItem("mHelpWhatsThis"),
                                [this] { m_whatsThis->enterWhatsThisMode(); });
    QAction *popupWhatsThis = menuItem("mPopupWhatsThis");
    m_whatsThis->connectCommand(popupWhatsThis, [this, popupWhatsThis] {
        if (popupWhatsThis->isEnabled())
            m_whatsThis->showAuxiliaryHelp();
    });
}

// The Help menu's commands and the tray icon with its menu; the tray's Exit is File > Exit.
void MainWindow::createHelpAndTray()
{
    m_whatsThis->useComponentHelpFile();
    m_helpCommands = new shell::HelpCommands(
        shell::applicationInfo(), m_dialogKit, *m_whatsThis, *m_outsideCommands, *this,
        *m_menus.help, [this] { return m_player ? m_player->versionInfo() : QString(); },
        m_settingsFile, this);
    auto *tray = new shell::SystemTrayIcon(
        *this, *m_menus.tray, [this] { restore(); }, this);
    m_tray = tray;
    if (!m_player)
        return;
    PlayerComponent *player = m_player;
    shell::TrayPlayer trayPlayer{[player] {
                                     const PlayState state = player->playState();
                                     if (mayPlayNow(state))
                                         return shell::PlayOffer::Play;
                                     return state == PlayState::Playing ? shell::PlayOffer::Pause
                                                                        : shell::PlayOffer::Nothing;
                                 },
                                 [player] { player->play(); }, [player] { player->pause(); }};
    auto *trayMenu = new shell::TrayMenu(
        *m_menus.tray, *tray, std::move(trayPlayer), *m_whatsThis, [this] { endProgram(); }, this);
    // A tray host that draws the menu itself may not say when it opens.
    connect(player, &PlayerComponent::playStateChange, trayMenu, &shell::TrayMenu::refresh);
}
