#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;

namespace shell {

class SystemTrayIcon;
class WhatsThis;

// What the Play/Pause entry can do for the player now.
enum class PlayOffer { Play, Pause, Nothing };

// The player as the Play/Pause entry sees it; the tray knows no more of it.
struct TrayPlayer {
    std::function<PlayOffer()> offer;
    std::function<void()> play;
    std::function<void()> pause;
};

// What the tray menu's Play/Pause entry shows for an offer: "&Play" with the play picture,
// "&Pause" with the pause picture, else "&Play/Pause" disabled with its picture unchanged.
struct TrayPlayItem {
    enum class Picture { Unchanged, Play, Pause };
    QString caption;
    bool enabled = false;
    Picture picture = Picture::Unchanged;
};
TrayPlayItem trayPlayItem(PlayOffer offer);

// The tray icon's menu: Play/Pause (kept to the player's state whenever the menu opens and
// whenever refresh is called), Restore and Exit (exit: whatever File > Exit does). Every entry
// passes through What's This first.
class TrayMenu : public QObject {
    Q_OBJECT
public:
    TrayMenu(QMenu &menu, SystemTrayIcon &tray, TrayPlayer player, WhatsThis &whatsThis,
             std::function<void()> exit, QObject *parent = nullptr);

    // Brings the Play/Pause entry up to date with the player's state.
    void refresh();

private:
    void playOrPause();

    QAction *m_play;
    TrayPlayer m_player;
};

} // namespace shell
