#pragma once

#include <QString>
#include <QStringView>

namespace shell {

// The text shown for a shortcut spec "key.shift": the key code before the first ".", the shift
// state after the last "." (1 Shift, 2 Ctrl, 4 Alt). Modifiers come first as "Alt+", "Ctrl+",
// "Shift+" (never the key's own modifier), then the key's name: "70.2" gives "Ctrl+F". An unknown
// or zero key code, or a spec that is not a number, gives the empty text.
QString shortcutText(QStringView spec);

// The caption up to its first tab, followed by a tab and the shortcut text when that is not empty.
QString withShortcutText(QStringView caption, const QString &shortcut);

} // namespace shell
