#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

namespace album {

// "yyyy:mm:dd:hh:nn:ss", each part zero-padded (four-digit year, hours 0-23).
QString formatAccessStamp(const QDateTime &time);
// The stamp's six ":"-separated numbers (blanks around it ignored) as a local time; any other
// shape, or numbers that make no valid date and time, give now.
QDateTime readAccessStamp(QStringView stamp, const QDateTime &now);

} // namespace album
