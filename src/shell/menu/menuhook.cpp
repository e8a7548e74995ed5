#include "shell/menu/menuhook.h"

#include "shell/menu/menuitem.h"
#include "shell/menu/menutext.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <utility>

namespace shell {

namespace {

const QString copyTip = QStringLiteral("Press 'C' key to copy the item to the clipboard.");

// Lists whose highlighted entries offer the copy tip.
bool offersCopy(const QString &name)
{
    return name == u"mFileList" || name == u"mRecordList" || name == u"mBookmarkList";
}

// Lists whose entries show no help on a right click.
bool keepsRightClick(const QString &name)
{
    return name == u"mFileList" || name == u"mBookmarkList";
}

bool hasMnemonic(const QMenu *menu, Qt::Key key)
{
    const QKeySequence wanted(Qt::ALT | key);
    for (const QAction *action : menu->actions()) {
        if (action->isVisible() && !action->isSeparator() &&
            QKeySequence::mnemonic(action->text()) == wanted)
            return true;
    }
    return false;
}

bool isMenuOpen()
{
    return qobject_cast<QMenu *>(QApplication::activePopupWidget()) != nullptr;
}

} // namespace

MenuHook::MenuHook(WhatsThis &whatsThis, const QList<QMenu *> &menus,
                   const QList<const ActionItemArray *> &arrays, QObject *parent)
    : QObject(parent), m_whatsThis(whatsThis), m_menus(menus), m_arrays(arrays)
{
    for (QMenu *menu : menus)
        watch(menu, true);
}

void MenuHook::watch(QMenu *menu, bool topLevel)
{
    menu->installEventFilter(this);
    connect(menu, &QMenu::aboutToShow, this, [this, menu, topLevel] { menuShown(menu, topLevel); });
    connect(menu, &QMenu::aboutToHide, this, &MenuHook::menuHidden);
    connect(menu, &QMenu::hovered, this, &MenuHook::select);
    for (QAction *action : menu->actions()) {
        if (QMenu *submenu = action->menu())
            watch(submenu, false);
    }
}

void MenuHook::menuShown(QMenu *menu, bool topLevel)
{
    if (topLevel && !m_inLoop) {
        m_inLoop = true;
        m_map.build(m_menus, m_arrays);
    }
    m_whatsThis.menuOpened(menu);
}

void MenuHook::menuHidden()
{
    // A command chosen from the menu runs after it hides: the loop ends once that is done and no
    // other menu of the loop has opened.
    QTimer::singleShot(0, this, [this] {
        if (m_inLoop && !isMenuOpen())
            loopLeft();
    });
}

void MenuHook::loopLeft()
{
    m_inLoop = false;
    m_rightPressedInMenu = false;
    m_highlighted.reset();
    m_whatsThis.useComponentHelpFile();
    m_whatsThis.menuLoopEnded();
    emit statusTipChanged(QString());
}

void MenuHook::select(QAction *action)
{
    if (m_whatsThis.isContextHelpOpen())
        return;
    m_whatsThis.useComponentHelpFile();
    m_whatsThis.setAuxiliaryHelp(0);
    emit statusTipChanged(QString());
    m_highlighted = m_map.find(action);
    if (!m_highlighted)
        return;
    m_whatsThis.setAuxiliaryHelp(menuItemHelpContext(action));
    m_whatsThis.clearApplicationHelpFile();
    if (offersCopy(m_highlighted->name))
        emit statusTipChanged(copyTip);
}

bool MenuHook::eventFilter(QObject *watched, QEvent *event)
{
    auto *menu = qobject_cast<QMenu *>(watched);
    if (!menu)
        return false;
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<const QMouseEvent &>(*event).button() == Qt::RightButton)
        m_rightPressedInMenu = true;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto &mouse = static_cast<const QMouseEvent &>(*event);
        // The release of a press that opened the menu (a tray icon's) is no click on an entry.
        if (mouse.button() == Qt::RightButton && std::exchange(m_rightPressedInMenu, false))
            return rightButtonReleased(menu, mouse);
    }
    if (event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (key.key() == Qt::Key_F1)
            return helpRequested(menu);
        if (key.key() == Qt::Key_C)
            return menuCharacter(menu, key);
    }
    return false;
}

bool MenuHook::rightButtonReleased(QMenu *menu, const QMouseEvent &event)
{
    QAction *action = menu->actionAt(event.position().toPoint());
    const std::optional<MenuEntry> entry = m_map.find(action);
    if (!entry)
        return true;
    m_highlighted = entry;
    if (!keepsRightClick(entry->name)) {
        WhatsThis::leaveMenuMode();
        m_whatsThis.showHelp(menuItemHelpContext(action));
    }
    return true;
}

bool MenuHook::helpRequested(QMenu *menu)
{
    QAction *action = menu->activeAction();
    if (!m_map.find(action))
        return true;
    WhatsThis::leaveMenuMode();
    m_whatsThis.showHelp(menuItemHelpContext(action));
    return true;
}

bool MenuHook::menuCharacter(QMenu *menu, const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (hasMnemonic(menu, Qt::Key_C))
        return false;
    if (m_highlighted && m_highlighted->action) {
        QClipboard *clipboard = QApplication::clipboard();
        clipboard->clear();
        clipboard->setText(shownMenuText(m_highlighted->action->text()));
    }
    return true;
}

} // namespace shell
