#include "shell/menu/menustyle.h"

#include "shell/menu/menuitem.h"

#include <QApplication>
#include <QMenu>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace shell {

MenuStyle::MenuStyle(bool scrollable, QObject *parent)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), m_scrollable(scrollable)
{
    setParent(parent);
}

int MenuStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                         QStyleHintReturn *returnData) const
{
    if (hint == SH_Menu_Scrollable)
        return m_scrollable ? 1 : 0;
    // A disabled entry (a missing album) can still be highlighted for its help and the copy.
    if (hint == SH_Menu_AllowActiveAndDisabled)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                            const QWidget *widget) const
{
    const auto *menu = qobject_cast<const QMenu *>(widget);
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (element == CE_MenuItem && menu && item) {
        const QAction *action = menu->actionAt(item->rect.center());
        if (action && isHeadingItem(action)) {
            QStyleOptionMenuItem heading(*item);
            heading.state |= State_Enabled;
            heading.state &= ~State_Selected;
            heading.palette.setCurrentColorGroup(QPalette::Active);
            QProxyStyle::drawControl(element, &heading, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace shell
