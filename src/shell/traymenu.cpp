#include "shell/traymenu.h"

#include "shell/systemtrayicon.h"
#include "shell/whatsthis.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyle>

namespace shell {

namespace {

QAction *entry(QMenu &menu, const char *name)
{
    return menu.findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

QIcon picture(QStyle::StandardPixmap which)
{
    return QApplication::style()->standardIcon(which);
}

} // namespace

TrayPlayItem trayPlayItem(PlayState state)
{
    switch (state) {
    case PlayState::Stopped:
    case PlayState::Paused:
    case PlayState::Ready:
        return {QStringLiteral("&Play"), true, TrayPlayItem::Picture::Play};
    case PlayState::Playing:
        return {QStringLiteral("&Pause"), true, TrayPlayItem::Picture::Pause};
    default:
        return {QStringLiteral("&Play/Pause"), false, TrayPlayItem::Picture::Unchanged};
    }
}

TrayMenu::TrayMenu(QMenu &menu, SystemTrayIcon &tray, PlayerComponent &player, WhatsThis &whatsThis,
                   std::function<void()> exit, QObject *parent)
    : QObject(parent), m_play(entry(menu, "mTrayPlay")), m_player(player)
{
    QAction *restore = entry(menu, "mTrayRestore");
    restore->setIcon(picture(QStyle::SP_TitleBarNormalButton));
    whatsThis.connectCommand(m_play, [this] { playOrPause(); });
    whatsThis.connectCommand(restore, [&tray] { tray.restore(); });
    whatsThis.connectCommand(entry(menu, "mTrayExit"), std::move(exit));
    connect(&menu, &QMenu::aboutToShow, this, &TrayMenu::refresh);
    // A tray host that draws the menu itself may not say when it opens.
    connect(&player, &PlayerComponent::playStateChange, this, &TrayMenu::refresh);
    refresh();
}

void TrayMenu::refresh()
{
    const TrayPlayItem item = trayPlayItem(m_player.playState());
    m_play->setText(item.caption);
    m_play->setEnabled(item.enabled);
    if (item.picture == TrayPlayItem::Picture::Play)
        m_play->setIcon(picture(QStyle::SP_MediaPlay));
    else if (item.picture == TrayPlayItem::Picture::Pause)
        m_play->setIcon(picture(QStyle::SP_MediaPause));
}

void TrayMenu::playOrPause()
{
    switch (m_player.playState()) {
    case PlayState::Stopped:
    case PlayState::Paused:
    case PlayState::Ready:
        m_player.play();
        break;
    case PlayState::Playing:
        m_player.pause();
        break;
    default:
        break;
    }
}

} // namespace shell
