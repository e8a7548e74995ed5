#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
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
// Where a window whose inside stands at insideTopLeft is reachable: its title bar (the
// titleBarHeight pixels above the inside) wholly, and at least 100 pixels of its width (and of
// its height, or all of a lower window), on one of the screens' areas. A place that already is
// stays; else the nearest such place on the screen that needs the smallest move. No screen
// leaves the place as it is.
QPoint keptOnScreens(QPoint insideTopLeft, QSize size, int titleBarHeight,
                     const QList<QRect> &screens);

// The Open dialog's filter index last used by the profile; 0 when none.
int readFilterIndex(const QString &settingsFile, const QString &profile);

} // namespace settings
