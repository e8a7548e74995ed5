#pragma once

#include "shell/menu/itemarray.h"

#include <QList>

namespace shell {

// An item array held in memory only: the list logic without a menu, for owners that keep a list
// apart from its display and for tests of that logic.
class PlainItemArray : public ItemArray {
public:
    // One empty item 0, as a menu array starts.
    PlainItemArray() : m_items(1) {}
    explicit PlainItemArray(QList<MenuItemState> items) : m_items(std::move(items)) {}

    int count() const override { return int(m_items.size()); }
    MenuItemState item(int index) const override;
    void setItem(int index, const MenuItemState &state) override;
    int grow() override;
    void shrink(int count) override;

private:
    QList<MenuItemState> m_items;
};

} // namespace shell
