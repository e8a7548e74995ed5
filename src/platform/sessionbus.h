#pragma once

#include <QDBusConnection>

namespace platform {

// The desktop's session bus when the desktop has announced one (its address in the environment,
// or the bus socket in the runtime folder); otherwise a connection that is not connected. Never
// starts a bus of its own: the bus library would fork a launcher for one from a process whose
// player threads make a fork unsafe.
QDBusConnection sessionBus();

} // namespace platform
