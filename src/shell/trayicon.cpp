#include "shell/trayicon.h"

#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace shell {

namespace {

// The tip holds what the shell's 64-character field holds: 63 characters.
constexpr int toolTipLength = 63;
// How long a window hidden in the tray waits for a tray that went away (a panel restarting)
// before it shows itself again.
constexpr int secondsToWaitForTray = 10;

} // namespace

TrayIcon::TrayIcon(QWidget &window, QMenu &trayMenu, std::function<bool()> hideOption,
                   QObject *parent)
    : QObject(parent), m_window(window), m_menu(&trayMenu), m_hideOption(std::move(hideOption)),
      m_available(&QSystemTrayIcon::isSystemTrayAvailable), m_trayWatch(new QTimer(this))
{
    m_icon.setIcon(window.windowIcon());
    m_icon.setContextMenu(&trayMenu);
    trayMenu.menuAction()->setEnabled(false);
    refreshToolTip();
    connect(&window, &QWidget::windowTitleChanged, this, &TrayIcon::refreshToolTip);
    connect(&window, &QWidget::windowIconChanged, &m_icon, &QSystemTrayIcon::setIcon);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    m_trayWatch->setInterval(1000);
    connect(m_trayWatch, &QTimer::timeout, this, &TrayIcon::watchTray);
    window.installEventFilter(this);
}

TrayIcon::~TrayIcon()
{
    removeIcon();
}

bool TrayIcon::hideToTray()
{
    if (m_hidden || !m_window.isMinimized() || !m_hideOption() || !isTrayAvailable())
        return false;
    m_hidden = true;
    m_window.hide();
    showIcon();
    m_trayWatch->start();
    return true;
}

void TrayIcon::restore()
{
    m_hidden = false;
    m_trayWatch->stop();
    m_secondsWithoutTray = 0;
    if (m_menu)
        m_menu->menuAction()->setEnabled(false);
    removeIcon();
    m_window.setWindowState(m_window.windowState() & ~Qt::WindowMinimized);
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
}

void TrayIcon::handOver()
{
    if (!m_hidden) {
        m_window.raise();
        m_window.activateWindow();
        return;
    }
    removeIcon();
    if (isTrayAvailable())
        showIcon();
    else
        restore();
}

void TrayIcon::end()
{
    m_hidden = false;
    m_trayWatch->stop();
    removeIcon();
}

bool TrayIcon::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::WindowStateChange &&
        m_window.isMinimized()) {
        // After the change is through: hiding inside it would leave the state half made.
        QTimer::singleShot(0, this, &TrayIcon::hideToTray);
    }
    return QObject::eventFilter(watched, event);
}

void TrayIcon::showIcon()
{
    refreshToolTip();
    if (m_menu)
        m_menu->menuAction()->setEnabled(true);
    m_icon.show();
}

void TrayIcon::removeIcon()
{
    if (m_icon.isVisible())
        m_icon.hide();
}

void TrayIcon::refreshToolTip()
{
    m_icon.setToolTip(m_window.windowTitle().left(toolTipLength));
}

void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason)
{
    if (m_hidden && reason == QSystemTrayIcon::DoubleClick)
        restore();
}

void TrayIcon::watchTray()
{
    if (isTrayAvailable()) {
        m_secondsWithoutTray = 0;
        return;
    }
    if (++m_secondsWithoutTray >= secondsToWaitForTray)
        restore();
}

} // namespace shell
