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

// The character that stands for what a path cannot carry: Qt decodes a name whose bytes are not
// valid in the system's encoding with it, and the conversions put it for a "\" inside a name.
inline constexpr QChar undecipherableCharacter = QChar(0xFFFD);

// Paths compare as the file system compares names: exactly here, without regard to case on
// Windows.
Qt::CaseSensitivity pathCaseSensitivity();
inline bool samePath(QStringView a, QStringView b)
{
    return a.compare(b, pathCaseSensitivity()) == 0;
}

// True when a native name holds a character that an internal path cannot carry: a "\", which
// would pass for a folder separator, or the undecipherable character.
bool hasUnstorableCharacter(QStringView nativeName);

// A path as Qt writes it ("/" between folders on every system) in the internal form; a name
// character that an internal path cannot carry becomes the undecipherable character, which
// opening refuses.
QString internalPathFromQt(QString qtPath);

} // namespace platform
