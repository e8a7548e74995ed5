#include "settings/windowplacement.h"

#include "settings/settingskeys.h"
#include "settings/settingsstore.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace settings {

namespace {

// A stored number as pixels; one beyond any screen reads as the default.
int pixelsOf(FixedPoint stored, int fallback)
{
    const qint64 value = stored.roundedToInt();
    constexpr qint64 limit = 1 << 20;
    return value > -limit && value < limit ? int(value) : fallback;
}

WindowPlacement::State stateOf(FixedPoint stored)
{
    const qint64 value = stored.roundedToInt();
    if (value == WindowPlacement::Minimized || value == WindowPlacement::Maximized)
        return WindowPlacement::State(value);
    return WindowPlacement::Normal;
}

// The part of a window that must be on a screen to be reached.
constexpr int reachablePixels = 100;

// The lowest of low and high when the window is too large for the range.
int clampedTo(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

QPoint placeOnScreen(QPoint inside, QSize size, int titleBarHeight, const QRect &screen)
{
    const int width = std::min(reachablePixels, size.width());
    const int height = std::min(reachablePixels, size.height());
    const int x =
        clampedTo(inside.x(), screen.left() - size.width() + width, screen.right() + 1 - width);
    const int y =
        clampedTo(inside.y(), screen.top() + titleBarHeight, screen.bottom() + 1 - height);
    return {x, y};
}

} // namespace

QPoint keptOnScreens(QPoint insideTopLeft, QSize size, int titleBarHeight,
                     const QList<QRect> &screens)
{
    QPoint best = insideTopLeft;
    qint64 bestMove = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        const QPoint place = placeOnScreen(insideTopLeft, size, titleBarHeight, screen);
        const qint64 move = qint64(std::abs(place.x() - insideTopLeft.x())) +
                            std::abs(place.y() - insideTopLeft.y());
        if (move < bestMove) {
            best = place;
            bestMove = move;
        }
    }
    return best;
}

WindowPlacement readWindowPlacement(const QString &settingsFile, const QString &profile,
                                    const WindowPlacement &current)
{
    WindowPlacement placement;
    placement.left = pixelsOf(
        readSettingNumber(settingsFile, profile, keys::leftKey, FixedPoint::fromInt(current.left)),
        current.left);
    placement.top = pixelsOf(
        readSettingNumber(settingsFile, profile, keys::topKey, FixedPoint::fromInt(current.top)),
        current.top);
    placement.state = stateOf(readSettingNumber(settingsFile, profile, keys::stateKey,
                                                FixedPoint::fromInt(current.state)));
    return placement;
}

void writeWindowPlacement(const QString &settingsFile, const QString &profile,
                          const WindowPlacement &placement)
{
    writeSettingNumber(settingsFile, profile, keys::leftKey, FixedPoint::fromInt(placement.left));
    writeSettingNumber(settingsFile, profile, keys::topKey, FixedPoint::fromInt(placement.top));
    const FixedPoint state = FixedPoint::fromInt(placement.state);
    if (readSettingNumber(settingsFile, profile, keys::stateKey) != state)
        writeSettingNumber(settingsFile, profile, keys::stateKey, state);
}

int readFilterIndex(const QString &settingsFile, const QString &profile)
{
    const qint64 index =
        readSettingNumber(settingsFile, profile, keys::filterIndexKey).roundedToInt();
    return index >= 0 && index <= std::numeric_limits<int>::max() ? int(index) : 0;
}

} // namespace settings
