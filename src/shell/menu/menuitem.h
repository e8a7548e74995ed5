#pragma once

#include <QString>

class QAction;

// What the program keeps on each menu entry beside Qt's own state.
namespace shell {

// The help context number shown by What's This for the entry; 0 when it has none.
int menuItemHelpContext(const QAction *action);
void setMenuItemHelpContext(QAction *action, int helpContext);

// The owner's text for the entry (a shortcut spec, a code page number).
QString menuItemTag(const QAction *action);
void setMenuItemTag(QAction *action, const QString &tag);

// Check marks belong to the program: choosing a checked entry does not clear it, and an
// unchecked entry shows no empty check box.
bool isMenuItemChecked(const QAction *action);
void setMenuItemChecked(QAction *action, bool checked);

// Bold, in the normal text colour, and not choosable.
void makeHeadingItem(QAction *action);
bool isHeadingItem(const QAction *action);

// Keeps the entry's text before its first tab and, when text is not empty, adds a tab and text.
void setShortcutText(QAction *action, const QString &text);

} // namespace shell
