#pragma once

#include <QString>

// Where the program's resources (its manual "<base>.html" first of all) are found. Native paths.
namespace platform {

// Beside the program (a build tree, a copied folder) when the manual is there, else
// "../share/<base>/" from the program's folder (an install in the GNU layout) when it is there;
// else the program's folder, where it is missing. The answer has no "." or ".." in it.
QString resourceFolder(const QString &programFolder, const QString &baseName);

// True when the program runs from an install in the GNU layout: its resources lie in
// "../share/<base>/" and not beside it.
bool isInstalledProgram(const QString &programFolder, const QString &baseName);

} // namespace platform
