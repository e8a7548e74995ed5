#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>

#include <optional>

class QAction;
class QMenu;

namespace shell {

class ActionItemArray;

// The program's menu item behind an entry: the array's name and the item's index, or the item's
// own name and -1 for an entry that is no array item.
struct MenuEntry {
    QPointer<QMenu> menu;
    int position = -1; // among the menu's entries, separators included
    QPointer<QAction> action;
    QString name;
    int index = -1;
};

// A snapshot of the menu tree, depth first from the given top-level menus, taken when a menu loop
// starts. Entries with no name (spacers) are left out.
class MenuMap {
public:
    void build(const QList<QMenu *> &menus, const QList<const ActionItemArray *> &arrays);
    std::optional<MenuEntry> find(const QAction *action) const;
    std::optional<MenuEntry> find(const QMenu *menu, int position) const;
    const QList<MenuEntry> &entries() const { return m_entries; }

private:
    void addMenu(QMenu *menu, const QHash<const QAction *, MenuEntry> &arrayItems);

    QList<MenuEntry> m_entries;
};

} // namespace shell
