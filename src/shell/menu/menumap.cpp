#include "shell/menu/menumap.h"

#include "shell/menu/actionitemarray.h"

#include <QAction>
#include <QMenu>

namespace shell {

void MenuMap::build(const QList<QMenu *> &menus, const QList<const ActionItemArray *> &arrays)
{
    QHash<const QAction *, MenuEntry> arrayItems;
    for (const ActionItemArray *array : arrays) {
        for (int i = 0; i < array->count(); ++i) {
            MenuEntry entry;
            entry.name = array->name();
            entry.index = i;
            arrayItems.insert(array->action(i), entry);
        }
    }
    m_entries.clear();
    for (QMenu *menu : menus)
        addMenu(menu, arrayItems);
}

void MenuMap::addMenu(QMenu *menu, const QHash<const QAction *, MenuEntry> &arrayItems)
{
    const QList<QAction *> actions = menu->actions();
    for (int position = 0; position < actions.size(); ++position) {
        QAction *action = actions[position];
        MenuEntry entry = arrayItems.value(action);
        if (entry.name.isEmpty())
            entry.name = action->objectName();
        if (!entry.name.isEmpty()) {
            entry.menu = menu;
            entry.position = position;
            entry.action = action;
            m_entries.append(entry);
        }
        if (QMenu *submenu = action->menu())
            addMenu(submenu, arrayItems);
    }
}

std::optional<MenuEntry> MenuMap::find(const QAction *action) const
{
    for (const MenuEntry &entry : m_entries) {
        if (action && entry.action == action)
            return entry;
    }
    return std::nullopt;
}

std::optional<MenuEntry> MenuMap::find(const QMenu *menu, int position) const
{
    for (const MenuEntry &entry : m_entries) {
        if (menu && entry.menu == menu && entry.position == position)
            return entry;
    }
    return std::nullopt;
}

} // namespace shell
