#pragma once

namespace shell {

// The notification-area icon as the window's life cycle uses it: minimising may hide the window
// behind it, a hand-over shows it anew, the end removes it.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;

    // The desktop has a notification area now.
    virtual bool isAvailable() const = 0;
    virtual bool isPresent() const = 0;
    // Shows the icon; it is present exactly when this returns true.
    virtual bool add() = 0;
    virtual void remove() = 0;
};

} // namespace shell
