#pragma once

#include <QObject>

#include <functional>

namespace platform {

// Turns the system's requests to end the program (SIGTERM, SIGHUP, and SIGINT from Ctrl+C in a
// terminal) into a call of onEnd on the
// UI thread, from the event loop, so that the program ends through its usual save. The signal
// handler itself only writes a byte to a socket. Call once, after QCoreApplication exists; onEnd
// runs while context lives.
void watchEndRequests(QObject *context, std::function<void()> onEnd);

} // namespace platform
