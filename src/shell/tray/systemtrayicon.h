#pragma once

#include "shell/tray/trayicon.h"

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <functional>

class QMenu;
class QTimer;
class QWidget;

namespace shell {

// The window's icon in the desktop's notification area: the window's icon, its caption as the
// tip, the tray menu on a right click, Restore on a double click. While it is shown, its menu is
// enabled. A tray that restarts takes the icon again; a window hidden behind an icon that no
// tray can show (the tray went away and stays away, or never came back for a hand-over) comes
// back by itself, since nothing else could bring it back.
class SystemTrayIcon : public QObject, public TrayIcon {
    Q_OBJECT
public:
    // restoreWindow brings the window back and removes the icon: Restore and a double click.
    SystemTrayIcon(QWidget &window, QMenu &trayMenu, std::function<void()> restoreWindow,
                   QObject *parent = nullptr);
    ~SystemTrayIcon() override;

    // Whether a tray is there to take the icon; tests stand one in.
    void setTrayAvailability(std::function<bool()> available)
    {
        m_available = std::move(available);
    }

    bool isAvailable() const override { return m_available(); }
    bool isPresent() const override { return m_icon.isVisible(); }
    bool add() override;
    void remove() override;

    // Restore: the window back through restoreWindow.
    void restore() { m_restoreWindow(); }

    QString toolTip() const { return m_icon.toolTip(); }
    QSystemTrayIcon &icon() { return m_icon; }

private:
    void refreshToolTip();
    void activated(QSystemTrayIcon::ActivationReason reason);
    void watchTray();

    QWidget &m_window;
    QPointer<QMenu> m_menu;
    std::function<void()> m_restoreWindow;
    std::function<bool()> m_available;
    QSystemTrayIcon m_icon;
    QTimer *m_trayWatch;
    int m_secondsWithoutTray = 0;
};

} // namespace shell
