#include "settings/windowplacement.h"

#include "settings/settingskeys.h"
#include "settings/settingsstore.h"

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

} // namespace

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
