#pragma once

#include "settings/fixedpoint.h"

#include <QString>

// Seconds as "hh:mm:ss" (at least two hour digits, more when needed); the separator is ":" when
// empty.
QString formatSeconds(FixedPoint seconds, const QString &separator = QString());
