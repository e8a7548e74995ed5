#pragma once

#include "shell/menu/itemarray.h"

#include <QList>
#include <QObject>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;

namespace shell {

// An item array over consecutive entries of one menu. Items are named by the array's name and
// their index ("mFileList3"). Captions are literal: an "&" shows as "&" (a caption from the design
// keeps its mnemonic until the array writes a different caption).
class ActionItemArray : public QObject, public ItemArray {
    Q_OBJECT
public:
    // Item 0 is added at the end of menu with the design caption (a mnemonic marked by "&";
    // "-" makes a separator) and the help context; the actions belong to menu.
    ActionItemArray(QMenu *menu, const QString &name, const QString &caption, int helpContext);

    QString name() const { return objectName(); }
    QMenu *menu() const { return m_menu; }
    // Items grown from now on get their menu entries only when the menu is about to show or an
    // entry is asked for, all at once: a list of thousands costs nothing until it is seen.
    void deferEntries();
    // The entry of item index (the entries of deferred items are made first); nullptr when there
    // is none.
    QAction *action(int index) const;
    // Makes the entries of deferred items now.
    void createDeferredEntries() const;
    // The index of the entry, or -1 when it is not one of this array's.
    int indexOf(const QAction *action) const;
    // Gives every item the state describe(index): at once for the items that have entries, when
    // first read, written or shown for the deferred ones. The described states must not depend on
    // when describe is called, other than through what it captures.
    void describeItems(std::function<MenuItemState(int)> describe);
    // Appends a design item (caption as for item 0) and returns its index.
    int addDesignItem(const QString &caption, int helpContext);

    int count() const override;
    MenuItemState item(int index) const override;
    void setItem(int index, const MenuItemState &state) override;
    int grow() override;
    void shrink(int count) override;

signals:
    // The user chose item index.
    void triggered(int index);

private:
    // A new entry for item index, not yet in the menu.
    QAction *newAction(int index) const;
    // The menu entry right after the array's last entry in the menu (all but the last
    // notInMenu); nullptr when the array ends the menu or has no entry there yet.
    QAction *entryAfterLast(qsizetype notInMenu) const;
    // The state of deferred item index, described first when it has not been yet.
    const MenuItemState &deferredState(int index) const;

    QMenu *m_menu;
    // Made lazily, hence mutable: items 0 .. m_actions.size() - 1 have entries, the deferred
    // ones after them only their states, or none yet when m_describe is to give it.
    mutable QList<QAction *> m_actions;
    mutable std::vector<std::optional<MenuItemState>> m_deferred;
    std::function<MenuItemState(int)> m_describe;
    bool m_defers = false;
};

} // namespace shell
