#pragma once

#include <QObject>

class MainWindow;
class PlayerComponent;
class QAction;

// View > Speed at work: the menu's speeds as radio items (the one in use checked), Faster and
// Slower (Ctrl+Up, Ctrl+Down) a step of 0.05 each way. The album's speed is the player's rate,
// captured with the album's state. Enabled while the player holds a file.
class SpeedMenu : public QObject {
    Q_OBJECT
public:
    SpeedMenu(MainWindow &window, PlayerComponent &player, QObject *parent = nullptr);

private:
    void step(int steps);
    void showRate();
    void showAvailability();

    MainWindow &m_window;
    PlayerComponent &m_player;
    QAction *m_faster;
    QAction *m_slower;
};
