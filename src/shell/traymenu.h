#pragma once

#include "player/playercomponent.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;

namespace shell {

class SystemTrayIcon;
class WhatsThis;

// What the tray menu's Play/Pause entry shows for a play state: "&Play" with the play picture
// while stopped, paused or ready, "&Pause" with the pause picture while playing, else
// "&Play/Pause" disabled with its picture unchanged.
struct TrayPlayItem {
    enum class Picture { Unchanged, Play, Pause };
    QString caption;
    bool enabled = false;
    Picture picture = Picture::Unchanged;
};
TrayPlayItem trayPlayItem(PlayState state);

// The tray icon's menu: Play/Pause (kept to the player's state whenever the menu opens), Restore
// and Exit (exit: whatever File > Exit does). Every entry passes through What's This first.
class TrayMenu : public QObject {
    Q_OBJECT
public:
    TrayMenu(QMenu &menu, SystemTrayIcon &tray, PlayerComponent &player, WhatsThis &whatsThis,
             std::function<void()> exit, QObject *parent = nullptr);

    // Brings the Play/Pause entry up to date with the player's state.
    void refresh();

private:
    void playOrPause();

    QAction *m_play;
    PlayerComponent &m_player;
};

} // namespace shell
