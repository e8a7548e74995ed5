#pragma once

#include "settings/fixedpoint.h"

#include <QString>
#include <QStringList>

// The nine operations on the settings file. No cache: every read goes to the file, every write
// goes to it at once. Paths are in the program's internal form. Nothing here reports errors: a
// failed write leaves the file as it was; a missing or unreadable file reads as defaults.
namespace settings {

// Keys match without regard to case unless keyCase says otherwise (keys that are file paths).
QString readSetting(const QString &file, const QString &section, const QString &key,
                    const QString &defaultValue = QString(),
                    Qt::CaseSensitivity keyCase = Qt::CaseInsensitive);
FixedPoint readSettingNumber(const QString &file, const QString &section, const QString &key,
                             FixedPoint defaultValue = FixedPoint());
void writeSetting(const QString &file, const QString &section, const QString &key,
                  const QString &value, Qt::CaseSensitivity keyCase = Qt::CaseInsensitive);
void writeSettingNumber(const QString &file, const QString &section, const QString &key,
                        FixedPoint value);
// The values of the section's lines in file order, joined with CR LF.
QString readSectionValues(const QString &file, const QString &section);
// Replaces the section with lines "0=values[0]", "1=values[1]", ...; an empty list writes nothing.
void writeSectionValues(const QString &file, const QString &section, const QStringList &values);
// The section's raw lines (comments skipped, up to the first empty line), joined with CR LF.
QString readSectionLines(const QString &file, const QString &section);
// Replaces the section with the CR LF-separated lines and moves it to the end of the file.
void writeSectionLines(const QString &file, const QString &section, const QString &lines);
// True when the path names an existing regular file: not a folder, and not a FIFO or device,
// which would block or never end when read.
bool fileExists(const QString &path);
// At start-up: removes the temporary files that writes of the settings file left behind when an
// earlier run was ended between writing and renaming one.
void removeLeftoverTemporaryFiles(const QString &file);

} // namespace settings
