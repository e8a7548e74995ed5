#include "shell/tray/systemtrayicon.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace shell {

namespace {

// The tip holds what the shell's 64-character field holds: 63 characters.
constexpr int toolTipLength = 63;
// How long a hidden window waits for a tray that went away (a panel restarting) before it shows
// itself again.
constexpr int secondsToWaitForTray = 10;

} // namespace

SystemTrayIcon::SystemTrayIcon(QWidget &window, QMenu &trayMenu,
                               std::function<void()> restoreWindow, QObject *parent)
    : QObject(parent), m_window(window), m_menu(&trayMenu),
      m_restoreWindow(std::move(restoreWindow)),
      m_available(&QSystemTrayIcon::isSystemTrayAvailable), m_trayWatch(new QTimer(this))
{
    m_icon.setIcon(window.windowIcon());
    m_icon.setContextMenu(&trayMenu);
    trayMenu.menuAction()->setEnabled(false);
    refreshToolTip();
    connect(&window, &QWidget::windowTitleChanged, this, &SystemTrayIcon::refreshToolTip);
    connect(&window, &QWidget::windowIconChanged, &m_icon, &QSystemTrayIcon::setIcon);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &SystemTrayIcon::activated);
    m_trayWatch->setInterval(1000);
    connect(m_trayWatch, &QTimer::timeout, this, &SystemTrayIcon::watchTray);
}

SystemTrayIcon::~SystemTrayIcon()
{
    remove();
}

bool SystemTrayIcon::add()
{
    if (!isAvailable()) {
        if (m_window.isHidden())
            restore();
        return false;
    }
    refreshToolTip();
    if (m_menu)
        m_menu->menuAction()->setEnabled(true);
    m_icon.show();
    m_secondsWithoutTray = 0;
    m_trayWatch->start();
    return true;
}

void SystemTrayIcon::remove()
{
    m_trayWatch->stop();
    if (m_menu)
        m_menu->menuAction()->setEnabled(false);
    if (m_icon.isVisible())
        m_icon.hide();
}

void SystemTrayIcon::refreshToolTip()
{
    m_icon.setToolTip(m_window.windowTitle().left(toolTipLength));
}

void SystemTrayIcon::activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        restore();
}

void SystemTrayIcon::watchTray()
{
    if (isAvailable()) {
        m_secondsWithoutTray = 0;
        return;
    }
    if (++m_secondsWithoutTray >= secondsToWaitForTray && m_window.isHidden())
        restore();
}

} // namespace shell
