#pragma once

#include <QString>
#include <QStringView>

// Inside the program every path has the Windows form ("\" between folders), so that stored
// files read alike on every system; these convert at the edge, where files are touched or shown.
namespace platform {

// The one rule for what is absolute: a drive "X:", a leading "\", or an address with a scheme
// ("http://").
bool isAbsolutePath(QStringView internalPath);
// True for an address with a scheme ("http://", "file://"), which the conversions leave alone.
bool isAddress(QStringView path);

// "\home\a\x.mp3" <-> "/home/a/x.mp3" off Windows; addresses with a scheme pass unchanged.
QString toNativePath(const QString &internalPath);
QString fromNativePath(const QString &nativePath);

// True when a native name holds a character that the stored formats cannot carry
// ("\", "*", "|", '"', "?").
bool hasUnstorableCharacter(QStringView nativeName);

// A path as Qt writes it ("/" between folders on every system) in the internal form; a name
// character that the stored formats cannot carry becomes "?", which opening refuses.
QString internalPathFromQt(QString qtPath);

} // namespace platform
