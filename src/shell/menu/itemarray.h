#pragma once

#include <QString>

namespace shell {

// One item of a menu item array as its owner sees it. The caption is the literal text the user
// reads; a shortcut text, when present, follows a tab.
struct MenuItemState {
    QString caption;
    QString tag;
    bool checked = false;
    bool visible = true;
    bool enabled = true;
    int helpContext = 0;

    friend bool operator==(const MenuItemState &, const MenuItemState &) = default;
};

// A list shown as consecutive items of one menu, zero-based. Item 0 exists from the design and is
// never removed; an array whose only item has an empty caption counts as empty. An index out of
// range reads as a default item and is not written.
class ItemArray {
public:
    virtual ~ItemArray() = default;

    virtual int count() const = 0;
    virtual MenuItemState item(int index) const = 0;
    virtual void setItem(int index, const MenuItemState &state) = 0;
    // Creates item count() after the last one, enabled, visible and unchecked, with item 0's
    // help context; returns its index.
    virtual int grow() = 0;
    // Removes items from the end until count are left; item 0 always stays.
    virtual void shrink(int count) = 0;

    bool contains(int index) const { return index >= 0 && index < count(); }
    QString caption(int index) const { return item(index).caption; }
    void setCaption(int index, const QString &caption);
    QString tag(int index) const { return item(index).tag; }
    void setTag(int index, const QString &tag);
    bool isChecked(int index) const { return item(index).checked; }
    void setChecked(int index, bool checked);
    bool isVisible(int index) const { return item(index).visible; }
    void setVisible(int index, bool visible);
    bool isEnabled(int index) const { return item(index).enabled; }
    void setEnabled(int index, bool enabled);
    int helpContext(int index) const { return item(index).helpContext; }
    void setHelpContext(int index, int helpContext);
};

// No items at all, or only item 0 with an empty caption.
bool isEmptyArray(const ItemArray &array);

// Fills item 0 when the array is empty, else creates a new last item. With a shortcut spec the
// caption gets a tab and the spec's shortcut text, and the spec becomes the Tag instead of tag.
// The help context is set only when above 0. Returns the item's index; -1 for an array with no
// items.
int appendMenuItem(ItemArray &array, const QString &caption, const QString &shortcutSpec,
                   const QString &tag, int helpContext, bool checked, bool visible);

// The first index whose Tag equals tag exactly, or -1; with check, that item alone then carries
// the check mark (none when -1). An empty tag or an array with no items gives 0 and checks
// nothing.
int findMenuItemByTag(ItemArray &array, const QString &tag, bool check);

// Every item loses its check mark; the item at index gains it when there is one.
void radioCheckMenuItem(ItemArray &array, int index);
// Grows or shrinks the array to count items (never fewer than item 0).
void resizeArray(ItemArray &array, int count);

// The first checked index, or -1.
int checkedMenuItemIndex(const ItemArray &array);

} // namespace shell
