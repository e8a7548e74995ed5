#pragma once

#include <QString>
#include <QStringView>

// What the system knows about other programs: the stand-in for their version resources, and
// the desktop's choice of text editor. Paths are native.
namespace platform {

// The program's display name: its file description on Windows; elsewhere the Name of the first
// desktop entry in the application folders whose Exec or TryExec names the program. Empty when
// there is none. Reads every entry of those folders: call it when the name is to be shown.
QString programDescription(const QString &programPath);

// True for an Open dialog pattern that means programs ("*.exe"): where programs have no
// extension, the dialog shows executable files for it instead.
bool isProgramPattern(QStringView pattern);

// The program the desktop opens plain text with; else the first of the common graphical
// editors found on the PATH; else empty.
QString defaultTextEditor();

} // namespace platform
