#pragma once

#include "shell/menu/menumap.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QKeyEvent;
class QMenu;
class QMouseEvent;

namespace shell {

class ActionItemArray;
class WhatsThis;

// Watches the program's menus while they are open: the start and end of a menu loop, the
// highlighted entry, F1 and a right-button release on an entry (its help; Qt would otherwise
// choose the entry) and the C key (the highlighted entry's caption to the clipboard).
class MenuHook : public QObject {
    Q_OBJECT
public:
    // menus: the top-level menus, each watched with all its submenus; arrays: the item arrays
    // that the menu map names.
    MenuHook(WhatsThis &whatsThis, const QList<QMenu *> &menus,
             const QList<const ActionItemArray *> &arrays, QObject *parent = nullptr);

    // The entry last highlighted in the current menu loop, if the map knows it.
    const std::optional<MenuEntry> &highlightedItem() const { return m_highlighted; }

signals:
    // The text status label 0 shows while an album, record or bookmark entry is highlighted;
    // empty when the label takes back its own caption.
    void statusTipChanged(const QString &tip);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QMenu *menu, bool topLevel);
    void menuShown(QMenu *menu, bool topLevel);
    void menuHidden();
    void loopLeft();
    void select(QAction *action);
    bool rightButtonReleased(QMenu *menu, const QMouseEvent &event);
    bool helpRequested(QMenu *menu);
    bool menuCharacter(QMenu *menu, const QKeyEvent &event);

    WhatsThis &m_whatsThis;
    QList<QMenu *> m_menus;
    QList<const ActionItemArray *> m_arrays;
    MenuMap m_map;
    std::optional<MenuEntry> m_highlighted;
    bool m_inLoop = false;
    bool m_rightPressedInMenu = false;
};

} // namespace shell
