#pragma once

#include <QtGlobal>

namespace platform {

// Milliseconds on a clock that never jumps with the wall clock, counted from its first reading.
qint64 steadyMilliseconds();

} // namespace platform
