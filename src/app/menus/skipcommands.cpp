#include "app/menus/skipcommands.h"

#include "app/window/mainwindow.h"
#include "player/chapterstep.h"
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
      m_rewind(window.menuItem(QStringLiteral("mOptionRewind"))),
      m_previous(window.menuItem(QStringLiteral("mTrayPrevious"))),
      m_next(window.menuItem(QStringLiteral("mTrayNext")))
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
    whatsThis.connectCommand(m_previous, [&session] { session.stepPrevious(); });
    whatsThis.connectCommand(m_next, [&session] { session.stepNext(); });
    m_previous->setShortcuts(
        {QKeySequence(Qt::ControlModifier | Qt::Key_Left), QKeySequence(Qt::Key_MediaPrevious)});
    m_next->setShortcuts(
        {QKeySequence(Qt::ControlModifier | Qt::Key_Right), QKeySequence(Qt::Key_MediaNext)});
    for (QAction *action : {m_back, m_forward, m_previous, m_next})
        window.addAction(action);
    connect(&options, &ListeningOptions::changed, this, &SkipCommands::showOptions);
    connect(&session.player(), &PlayerComponent::playStateChange, this,
            &SkipCommands::showAvailability);
    connect(&session.records(), &RecordList::recordsReset, this, &SkipCommands::showAvailability);
    connect(&session, &PlayerSession::chapterChanged, this, &SkipCommands::showAvailability);
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
    const RecordList &records = m_session.records();
    const RecordList::Index playing = m_session.playingRecord();
    const double position = m_session.player().currentPosition();
    m_previous->setEnabled(chapterstep::previous(records, playing, position).record >= 0);
    m_next->setEnabled(chapterstep::next(records, playing, position).record >= 0);
}
