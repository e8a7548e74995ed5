#pragma once

#include <QString>
#include <QStringList>

// The path to open given on the command line: the arguments after the program's name joined by
// blanks, as the whole command-line text is one path. A relative path is taken against the
// working folder (native). A name character that the stored formats cannot carry becomes "?",
// which opening refuses as an undecipherable name. Internal form; empty without arguments.
QString commandLinePath(const QStringList &arguments, const QString &workingFolder);
