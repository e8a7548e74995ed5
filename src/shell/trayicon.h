#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <functional>

class QMenu;
class QTimer;
class QWidget;

namespace shell {

// The notification-area icon of the main window. Minimising the window with the hide option on
// and a tray present hides the window (its taskbar entry goes with it) and shows the icon; the
// icon's double click or its menu's Restore bring the window back and remove the icon. The icon
// is shown exactly while the window is hidden in the tray: when the desktop's tray comes back
// after a restart the icon is shown again, and a window whose tray stays away comes back by
// itself, since nothing else could bring it back.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    // hideOption: whether minimising hides the window in the tray, asked at each minimise.
    TrayIcon(QWidget &window, QMenu &trayMenu, std::function<bool()> hideOption,
             QObject *parent = nullptr);
    ~TrayIcon() override;

    // Whether a tray is there to take the icon; tests stand one in.
    void setTrayAvailability(std::function<bool()> available)
    {
        m_available = std::move(available);
    }
    bool isTrayAvailable() const { return m_available(); }

    // Hides the window in the tray when it is minimised, the option is on and a tray is present.
    // Returns whether it did.
    bool hideToTray();
    // The window normal, shown and activated; the icon removed; the tray menu disabled.
    void restore();
    // The hand-over of a second start: the icon added anew while the window is in the tray (or the
    // window restored when the tray is gone), else the window brought to the front.
    void handOver();
    // The window is unloading: the icon goes.
    void end();

    bool isHiddenInTray() const { return m_hidden; }
    // The icon-present flag: the icon was given to a tray and not removed since.
    bool isIconPresent() const { return m_icon.isVisible(); }
    QString toolTip() const { return m_icon.toolTip(); }
    QSystemTrayIcon &icon() { return m_icon; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showIcon();
    void removeIcon();
    void refreshToolTip();
    void activated(QSystemTrayIcon::ActivationReason reason);
    void watchTray();

    QWidget &m_window;
    QPointer<QMenu> m_menu;
    std::function<bool()> m_hideOption;
    std::function<bool()> m_available;
    QSystemTrayIcon m_icon;
    QTimer *m_trayWatch;
    int m_secondsWithoutTray = 0;
    bool m_hidden = false;
};

} // namespace shell
