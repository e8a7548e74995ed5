#pragma once

#include "shell/itemarray.h"

#include <QList>
#include <QObject>

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
    // The entry of item index; nullptr when there is none.
    QAction *action(int index) const;
    // The index of the entry, or -1 when it is not one of this array's.
    int indexOf(const QAction *action) const;
    // Appends a design item (caption as for item 0) and returns its index.
    int addDesignItem(const QString &caption, int helpContext);

    int count() const override { return int(m_actions.size()); }
    MenuItemState item(int index) const override;
    void setItem(int index, const MenuItemState &state) override;
    int grow() override;
    void shrink(int count) override;

signals:
    // The user chose item index.
    void triggered(int index);

private:
    QAction *createAction(int index);

    QMenu *m_menu;
    QList<QAction *> m_actions;
};

} // namespace shell
