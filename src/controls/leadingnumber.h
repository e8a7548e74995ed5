#pragma once

#include <QStringView>

// The number a text starts with, after any leading white space: an optional sign, digits with an
// optional decimal point and fraction, and an optional exponent ("e" or "d" and digits). Rounded
// to an integer with halves to even and held within the 32-bit range; 0 when the text does not
// start with a number.
int leadingInteger(QStringView text);
