#include "shell/menu/plainitemarray.h"

#include <algorithm>

namespace shell {

MenuItemState PlainItemArray::item(int index) const
{
    return contains(index) ? m_items[index] : MenuItemState();
}

void PlainItemArray::setItem(int index, const MenuItemState &state)
{
    if (contains(index))
        m_items[index] = state;
}

int PlainItemArray::grow()
{
    MenuItemState state;
    state.helpContext = helpContext(0);
    m_items.append(state);
    return count() - 1;
}

void PlainItemArray::shrink(int count)
{
    const int kept = std::max(count, 1);
    if (kept < this->count())
        m_items.resize(kept);
}

} // namespace shell
