#include "shell/menu/itemarray.h"

#include "shell/menu/shortcuttext.h"

namespace shell {

void ItemArray::setCaption(int index, const QString &caption)
{
    MenuItemState state = item(index);
    state.caption = caption;
    setItem(index, state);
}

void ItemArray::setTag(int index, const QString &tag)
{
    MenuItemState state = item(index);
    state.tag = tag;
    setItem(index, state);
}

void ItemArray::setChecked(int index, bool checked)
{
    MenuItemState state = item(index);
    state.checked = checked;
    setItem(index, state);
}

void ItemArray::setVisible(int index, bool visible)
{
    MenuItemState state = item(index);
    state.visible = visible;
    setItem(index, state);
}

void ItemArray::setEnabled(int index, bool enabled)
{
    MenuItemState state = item(index);
    state.enabled = enabled;
    setItem(index, state);
}

void ItemArray::setHelpContext(int index, int helpContext)
{
    MenuItemState state = item(index);
    state.helpContext = helpContext;
    setItem(index, state);
}

bool isEmptyArray(const ItemArray &array)
{
    return array.count() == 0 || (array.count() == 1 && array.caption(0).isEmpty());
}

int appendMenuItem(ItemArray &array, const QString &caption, const QString &shortcutSpec,
                   const QString &tag, int helpContext, bool checked, bool visible)
{
    if (array.count() == 0)
        return -1;
    const int index = isEmptyArray(array) ? 0 : array.grow();
    MenuItemState state = array.item(index);
    if (shortcutSpec.isEmpty()) {
        if (!caption.isEmpty())
            state.caption = caption;
        state.tag = tag;
    } else {
        state.caption = caption + u'\t' + shortcutText(shortcutSpec);
        state.tag = shortcutSpec;
    }
    if (helpContext > 0)
        state.helpContext = helpContext;
    state.checked = checked;
    state.visible = visible;
    array.setItem(index, state);
    return index;
}

int findMenuItemByTag(ItemArray &array, const QString &tag, bool check)
{
    if (tag.isEmpty() || array.count() == 0)
        return 0;
    int found = -1;
    for (int i = 0; i < array.count() && found < 0; ++i) {
        if (array.tag(i) == tag)
            found = i;
    }
    if (check)
        radioCheckMenuItem(array, found);
    return found;
}

void radioCheckMenuItem(ItemArray &array, int index)
{
    // Only the items whose mark changes are written: a record change touches two of them.
    for (int i = 0; i < array.count(); ++i) {
        if (array.isChecked(i) != (i == index))
            array.setChecked(i, i == index);
    }
}

void resizeArray(ItemArray &array, int count)
{
    array.shrink(count);
    while (array.count() < count)
        array.grow();
}

int checkedMenuItemIndex(const ItemArray &array)
{
    for (int i = 0; i < array.count(); ++i) {
        if (array.isChecked(i))
            return i;
    }
    return -1;
}

} // namespace shell
