#include "app/menus/skipcommands.h"

#include "app/window/mainwindow.h"
#include "player/playersession.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/menuitem.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>
#include <iterator>

SkipCommands::SkipCommands(MainWindow &window, PlayerSession &session, ListeningOptions &options,
                           QObject *parent)
    : QObject(parent), m_window(window), m_session(session), m_options(options),
      m_back(window.menuItem(QStringLiteral("mTraySkipBack"))),
      m_forward(window.menuItem(QStringLiteral("mTraySkipForward"))),
      m_rewind(window.menuItem(QStringLiteral("mOptionRewind")))
{
    shell::WhatsThis &whatsThis = window.whatsThis();
    for (const auto direction : {ListeningOptions::Back, ListeningOptions::Forward}) {
        whatsThis.connectArray(&choices(direction), [&options, direction](int index) {
            if (index >= 0 && index < int(std::size(skipChoices)))
                options.setSkipSeconds(direction, skipChoices[index]);
        });
    }
    whatsThis.connectCommand(
        m_rewind, [&options] { options.setRewindAfterPause(!options.rewindsAfterPause()); });
    whatsThis.connectCommand(m_back, [this] { skip(ListeningOptions::Back); });
    whatsThis.connectCommand(m_forward, [this] { skip(ListeningOptions::Forward); });
    // The tray menu is never on the bar: the window carries its entries for their keys.
    m_back->setShortcut(QKeySequence(Qt::AltModifier | Qt::Key_Left));
    m_forward->setShortcut(QKeySequence(Qt::AltModifier | Qt::Key_Right));
    window.addAction(m_back);
    window.addAction(m_forward);
    connect(&options, &ListeningOptions::changed, this, &SkipCommands::showOptions);
    connect(&session.player(), &PlayerComponent::playStateChange, this,
            &SkipCommands::showAvailability);
    connect(&session.records(), &RecordList::recordsReset, this, &SkipCommands::showAvailability);
    connect(window.menus().tray, &QMenu::aboutToShow, this, &SkipCommands::showAvailability);
    showOptions();
    showAvailability();
}

void SkipCommands::skip(ListeningOptions::Skip direction)
{
    const int seconds = m_options.skipSeconds(direction);
    m_session.skipBy(direction == ListeningOptions::Back ? -seconds : seconds);
}

shell::ActionItemArray &SkipCommands::choices(ListeningOptions::Skip direction) const
{
    const MenuTree &menus = m_window.menus();
    return direction == ListeningOptions::Back ? *menus.optionSkipBackList
                                               : *menus.optionSkipForwardList;
}

void SkipCommands::showOptions()
{
    for (const auto direction : {ListeningOptions::Back, ListeningOptions::Forward}) {
        const auto chosen = std::find(std::cbegin(skipChoices), std::cend(skipChoices),
                                      m_options.skipSeconds(direction));
        shell::radioCheckMenuItem(choices(direction), chosen == std::cend(skipChoices)
                                                          ? -1
                                                          : int(chosen - std::cbegin(skipChoices)));
    }
    shell::setMenuItemChecked(m_rewind, m_options.rewindsAfterPause());
    m_session.setRewindAfterPause(m_options.rewindsAfterPause());
}

void SkipCommands::showAvailability()
{
    const bool holdsRecord = m_session.records().hasPlayableRecord(m_session.player().url());
    m_back->setEnabled(holdsRecord);
    m_forward->setEnabled(holdsRecord);
}
