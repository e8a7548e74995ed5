#pragma once

#include <QString>

#include <functional>

// The shell's properties sheet of a file.
namespace platform {

// Asks the desktop to show its properties sheet for the file at the internal path, and returns
// at once. unanswered runs on the UI thread when none will show: no desktop service, an error
// reply, or no answer within a few seconds. It may run before this returns.
void showFileProperties(const QString &internalPath, std::function<void()> unanswered);

} // namespace platform
