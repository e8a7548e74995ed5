#include "app/menus/encodingmenu.h"

#include "album/albumsession.h"
#include "app/window/mainwindow.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/whatsthis.h"

EncodingMenu::EncodingMenu(MainWindow &window, album::AlbumSession &session, QObject *parent)
    : QObject(parent), m_session(session), m_items(*window.menus().viewEncodingList)
{
    connect(&session, &album::AlbumSession::encodingSelected, this, &EncodingMenu::showCodePage);
    window.whatsThis().connectArray(&m_items, [this](int index) { choose(index); });
}

void EncodingMenu::showCodePage(int codePage)
{
    shell::findMenuItemByTag(m_items, QString::number(codePage), true);
}

void EncodingMenu::choose(int index)
{
    bool isCodePage = false;
    const int codePage = m_items.tag(index).toInt(&isCodePage);
    if (!isCodePage || m_items.isChecked(index))
        return;
    m_session.changeEncoding(codePage);
}
