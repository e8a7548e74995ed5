#pragma once

#include <QString>

// Where the settings file lives: "<base>.dat" beside the executable. When that folder cannot be
// written (an installed program), the same name in the user's configuration folder, which is
// created and, on first use, takes a copy of the file beside the executable, so that no change is
// ever lost silently. Folders are native; the answer is an internal path.
QString settingsFilePath(const QString &executableFolder, const QString &baseName,
                         const QString &configurationFolder);
