#pragma once

#include <QString>
#include <QStringList>

namespace shell {

// A text of a program file's version information ("FileDescription", "ProductName",
// "Comments"), read from the freedesktop entry that starts the program: its Name, or its Comment
// for "Comments". The entries are looked for in the applications folders of the system. Empty for
// an empty path, an unknown key or a program that no entry starts.
QString fileVersionText(const QString &path, const QString &key);

// The same from the desktop entries of the given folders (native paths), in order.
QString desktopEntryText(const QString &path, const QString &key, const QStringList &folders);

} // namespace shell
