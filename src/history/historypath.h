#pragma once

#include <QString>

namespace history {

// The profile's history beside the settings file (internal paths): in its folder,
// "<the settings file's name without its extension>.<encoded profile name>.history".
QString historyFilePath(const QString &settingsFile, const QString &profile);

// The profile's name as part of one file name on any file system, never the same for two names:
// ASCII lowercase letters, digits, "-" and "_" as they are, every other ASCII character "%" and
// two hex digits, every other UTF-16 unit "%u" and four; hex digits are lowercase, so a file
// system that ignores case still tells names apart. A longer result keeps its first
// maxEncodedLength characters (never part of an escape), then "~" and a hash of the name.
QString encodedProfileName(const QString &profile);
inline constexpr qsizetype maxEncodedLength = 96;

} // namespace history
