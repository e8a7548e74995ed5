#pragma once

#include <QString>

// Where the settings file lives: "<base>.dat" beside the executable. When that folder cannot be
// written, or the program is installed (its resources in "../share/<base>/"), the same name in
// the user's configuration folder. Folders are
// native; the answer is an internal path. Touches nothing, so that a second start can ask too.
QString settingsFileLocation(const QString &executableFolder, const QString &baseName,
                             const QString &configurationFolder);

// The same place made ready: the configuration folder, when used, is created and, on first use,
// takes a copy of the file beside the executable, so that no change is ever lost silently.
QString settingsFilePath(const QString &executableFolder, const QString &baseName,
                         const QString &configurationFolder);
