#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The path to open given on the command line: the arguments after the program's name joined by
// blanks, as the whole command-line text is one path. A relative path is taken against the
// working folder (native). A name character that the stored formats cannot carry becomes "?",
// which opening refuses as an undecipherable name. Internal form; empty without arguments.
QString commandLinePath(const QStringList &arguments, const QString &workingFolder);

// What a later start hands over to the running copy: "/i" alone, or "/o " and the path to open,
// percent-encoded so that any name stays one line.
QByteArray handOverCommand(const QString &path);
// The path a hand-over asks to open: absolute and internal; empty for any other command.
QString handedOverPath(const QByteArray &command);
