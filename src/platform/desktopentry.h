#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Freedesktop desktop entries: how a Linux desktop names and starts its programs.
namespace platform {

struct DesktopEntry {
    QString name;    // the unlocalised Name
    QString exec;    // the Exec command line
    QString tryExec; // the TryExec program
};

// The keys of the "[Desktop Entry]" group of an entry's text; empty fields when absent.
DesktopEntry parseDesktopEntry(QByteArrayView text);
// The entry file at the native path, read up to a bounded size; empty fields when unreadable.
DesktopEntry readDesktopEntry(const QString &path);
// The program an Exec command line starts: its first word without quotes; empty when none.
QString execProgram(const QString &exec);
// The folders that hold the desktop's application entries, the user's first.
QStringList applicationFolders();
// The native path of the entry file with that id ("org.gnome.gedit.desktop"); empty when none.
QString findDesktopEntryFile(const QString &desktopId);
// The absolute native path of the program an Exec or TryExec word names (a bare name is looked
// up on the PATH); empty when there is none.
QString resolveProgram(const QString &program);

} // namespace platform
