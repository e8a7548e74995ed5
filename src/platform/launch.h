#pragma once

#include <QString>

// Starting another program on a file, as the shell's "open" of a program with parameters does.
namespace platform {

// A path as one shell parameter: enclosed in double quotes when it holds a blank and does not
// already begin with a double quote; else unchanged.
QString quotedParameter(const QString &path);

// Starts the program (a native path, surrounding double quotes dropped) with the parameter text
// (blanks separate parameters, double quotes group them) and does not wait for it. False when it
// could not be started.
bool openWithProgram(const QString &program, const QString &argument);

} // namespace platform
