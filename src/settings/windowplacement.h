#pragma once

#include <QString>

namespace settings {

// A window's stored placement: its state and where its frame stands while it is normal.
struct WindowPlacement {
    enum State { Normal = 0, Minimized = 1, Maximized = 2 };

    State state = Normal;
    int left = 0; // pixels
    int top = 0;

    friend bool operator==(const WindowPlacement &, const WindowPlacement &) = default;
};

// The profile's placement; each missing key keeps current's value. A stored state other than
// 0, 1 and 2 reads as normal.
WindowPlacement readWindowPlacement(const QString &settingsFile, const QString &profile,
                                    const WindowPlacement &current);
// Writes the position and, when it differs from the stored one, the state.
void writeWindowPlacement(const QString &settingsFile, const QString &profile,
                          const WindowPlacement &placement);
// The Open dialog's filter index last used by the profile; 0 when none.
int readFilterIndex(const QString &settingsFile, const QString &profile);

} // namespace settings
