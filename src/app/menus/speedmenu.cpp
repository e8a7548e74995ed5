#include "app/menus/speedmenu.h"

#include "app/window/mainwindow.h"
#include "player/playbackspeed.h"
#include "player/playercomponent.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>

SpeedMenu::SpeedMenu(MainWindow &window, PlayerComponent &player, QObject *parent)
    : QObject(parent), m_window(window), m_player(player),
      m_faster(window.menuItem(QStringLiteral("mViewSpeedFaster"))),
      m_slower(window.menuItem(QStringLiteral("mViewSpeedSlower")))
{
    shell::WhatsThis &whatsThis = window.whatsThis();
    whatsThis.connectArray(window.menus().viewSpeedList, [this](int index) {
        if (index >= 0 && index < int(speed::menuSpeeds.size()))
            m_player.setRate(speed::menuSpeeds[size_t(index)]);
    });
    whatsThis.connectCommand(m_faster, [this] { step(1); });
    whatsThis.connectCommand(m_slower, [this] { step(-1); });
    // The shortcut texts are in the captions already; these make the keys work.
    m_faster->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Up));
    m_slower->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Down));
    connect(&player, &PlayerComponent::rateChanged, this, &SpeedMenu::showRate);
    connect(&player, &PlayerComponent::playStateChange, this, &SpeedMenu::showAvailability);
    connect(window.menus().view, &QMenu::aboutToShow, this, &SpeedMenu::showAvailability);
    showRate();
    showAvailability();
}

void SpeedMenu::step(int steps)
{
    if (!m_player.url().isEmpty())
        m_player.setRate(steppedSpeed(m_player.rate(), steps));
}

void SpeedMenu::showRate()
{
    const double rate = m_player.rate();
    const auto shown = std::find_if(speed::menuSpeeds.cbegin(), speed::menuSpeeds.cend(),
                                    [rate](double speed) { return sameSpeed(speed, rate); });
    shell::radioCheckMenuItem(
        *m_window.menus().viewSpeedList,
        shown == speed::menuSpeeds.cend() ? -1 : int(shown - speed::menuSpeeds.cbegin()));
    m_faster->setEnabled(!m_player.url().isEmpty() && m_player.rate() < speed::fastest);
    m_slower->setEnabled(!m_player.url().isEmpty() && m_player.rate() > speed::slowest);
}

void SpeedMenu::showAvailability()
{
    m_window.menus()
        .view->findChild<QMenu *>(QStringLiteral("mViewSpeed"))
        ->menuAction()
        ->setEnabled(!m_player.url().isEmpty());
    showRate();
}
