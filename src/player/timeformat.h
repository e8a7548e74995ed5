#pragma once

#include "settings/fixedpoint.h"

#include <QString>

// Seconds as "hh:mm:ss" (at least two hour digits, more when needed); the separator is ":" when
// empty.
QString formatSeconds(FixedPoint seconds, const QString &separator = QString());

// A position or duration in whole seconds: to the nearest ten-thousandth, then to the nearest
// whole second with halves to the even one, within 32 bits; not a number gives 0.
qint32 wholeSeconds(double seconds);
