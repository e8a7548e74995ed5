#pragma once

#include <QObject>
#include <QTimer>

class PlayerComponent;
class SpinBox;

// Keeps the volume box tbVolume and the player's volume in step: every change of the box
// (typing, its arrows, the keys) applies to the player at once, and the timer toSettings brings
// the box back to the player's volume within a tenth of a second after a change made elsewhere
// (the player's own slider, an album's activation). Both must outlive it.
class VolumeBox : public QObject {
    Q_OBJECT
public:
    VolumeBox(SpinBox &box, PlayerComponent &player, QObject *parent = nullptr);

    const QTimer &timer() const { return m_timer; }

private:
    void applyBox();
    void followPlayer();

    SpinBox &m_box;
    PlayerComponent &m_player;
    QTimer m_timer;
};
