#pragma once

#include <QString>
#include <QStringView>

#include <array>

// The playback speeds a listener can choose: from half to three times the normal speed, in steps
// of 0.05 from the keys, or one of the menu's speeds.
namespace speed {

inline constexpr double slowest = 0.5;
inline constexpr double fastest = 3.0;
inline constexpr double step = 0.05;
inline constexpr double normal = 1.0;
inline constexpr std::array<double, 6> menuSpeeds{0.75, 1.0, 1.25, 1.5, 1.75, 2.0};

} // namespace speed

// The speed within the range, to the hundredth; a value that is not a number gives 1.
double clampedSpeed(double rate);
// The speed steps of 0.05 up (or down, for a negative count) from rate, on the 0.05 grid.
double steppedSpeed(double rate, int steps);
// Whether two speeds are the same to the hundredth.
bool sameSpeed(double a, double b);

// The album entry's Speed field: empty, not a number, or 0 and below mean 1; others are clamped.
double speedFromField(QStringView field);
// The field's text for a speed, in the settings file's number form (1.25, .75, 2).
QString speedFieldText(double rate);
// The speed as the menu and the status line show it: "0.75x", "1.0x", "1.5x".
QString speedCaption(double rate);
