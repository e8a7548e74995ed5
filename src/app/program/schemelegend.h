#pragma once

#include <QString>

// The "Scheme" section of the settings file, a legend for people who read the file: how an
// album line and its Marks field are laid out. Written at every start (the first write of a run,
// which creates the file); never read.
void writeSchemeLegend(const QString &settingsFile);
