#pragma once

#include <QString>

// Starting another program on a file, as the shell's "open" of a program with a file does.
namespace platform {

// The file as the program's one argument: a name that begins with "-" gets "./" in front, so
// that no program takes it for an option.
QString fileArgument(const QString &nativePath);

// Starts the program (a native path, surrounding double quotes dropped) with the file as its
// only argument, never split again at blanks, tabs or quotes, and does not wait for it. False
// when it could not be started.
bool openWithProgram(const QString &program, const QString &nativeFile);

} // namespace platform
