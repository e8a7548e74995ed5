#pragma once

#include <QString>

// Telling the desktop where the program is, as the shell's registry values do on Windows.
namespace platform {

// Off Windows: the user's desktop entry for the program (the entry of its installed prefix's
// share/applications, else the template entry beside the program, its Exec and TryExec naming
// this copy), written only when its content differs. Nothing when the program runs from its
// build tree (a CMake cache beside it), or from a prefix whose entry the desktop already reads
// (its share folder on the desktop's data path: a user entry whose TryExec is gone is removed
// then), and a portable copy writes none while an installed entry exists. Paths are native.
void registerWithShell(const QString &programPath, const QString &desktopFileName);

// The entry that names the program: the template's lines, with Exec and TryExec replaced.
QString desktopEntryFor(const QString &templateText, const QString &programPath);

} // namespace platform
