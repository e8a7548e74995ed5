#include "shell/tray/traymenu.h"

#include "shell/menu/whatsthis.h"
#include "shell/tray/systemtrayicon.h"

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

TrayPlayItem trayPlayItem(PlayOffer offer)
{
    switch (offer) {
    case PlayOffer::Play:
        return {QStringLiteral("&Play"), true, TrayPlayItem::Picture::Play};
    case PlayOffer::Pause:
        return {QStringLiteral("&Pause"), true, TrayPlayItem::Picture::Pause};
    case PlayOffer::Nothing:
        break;
    }
    return {QStringLiteral("&Play/Pause"), false, TrayPlayItem::Picture::Unchanged};
}

TrayMenu::TrayMenu(QMenu &menu, SystemTrayIcon &tray, TrayPlayer player, WhatsThis &whatsThis,
                   std::function<void()> exit, QObject *parent)
    : QObject(parent), m_play(entry(menu, "mTrayPlay")), m_player(std::move(player))
{
    QAction *restore = entry(menu, "mTrayRestore");
    restore->setIcon(picture(QStyle::SP_TitleBarNormalButton));
    whatsThis.connectCommand(m_play, [this] { playOrPause(); });
    whatsThis.connectCommand(restore, [&tray] { tray.restore(); });
    whatsThis.connectCommand(entry(menu, "mTrayExit"), std::move(exit));
    connect(&menu, &QMenu::aboutToShow, this, &TrayMenu::refresh);
    refresh();
}

void TrayMenu::refresh()
{
    const TrayPlayItem item = trayPlayItem(m_player.offer());
    m_play->setText(item.caption);
    m_play->setEnabled(item.enabled);
    if (item.picture == TrayPlayItem::Picture::Play)
        m_play->setIcon(picture(QStyle::SP_MediaPlay));
    else if (item.picture == TrayPlayItem::Picture::Pause)
        m_play->setIcon(picture(QStyle::SP_MediaPause));
}

void TrayMenu::playOrPause()
{
    switch (m_player.offer()) {
    case PlayOffer::Play:
        m_player.play();
        break;
    case PlayOffer::Pause:
        m_player.pause();
        break;
    case PlayOffer::Nothing:
        break;
    }
}

} // namespace shell
