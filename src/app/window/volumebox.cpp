#include "app/window/volumebox.h"

#include "controls/spinbox.h"
#include "player/playercomponent.h"

namespace {

constexpr int followMilliseconds = 100;

} // namespace

VolumeBox::VolumeBox(SpinBox &box, PlayerComponent &player, QObject *parent)
    : QObject(parent), m_box(box), m_player(player)
{
    m_timer.setObjectName(QStringLiteral("toSettings"));
    m_timer.setInterval(followMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &VolumeBox::followPlayer);
    connect(&box, &SpinBox::change, this, &VolumeBox::applyBox);
    followPlayer();
    m_timer.start();
}

void VolumeBox::applyBox()
{
    m_player.setVolume(m_box.value());
}

void VolumeBox::followPlayer()
{
    if (m_box.value() != m_player.volume())
        m_box.setValue(m_player.volume());
}
