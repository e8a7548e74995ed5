#pragma once

#include <QIcon>

class QPalette;

enum class TransportGlyph { Play, Pause, Stop, Volume, Muted };

// The player's button pictures, drawn as shapes in the palette's button text colour at whatever
// size and pixel ratio they are shown: the style's own pictures are fixed dark pixmaps, which
// vanish on a dark theme and blur at a ratio of 1.5.
QIcon transportIcon(TransportGlyph glyph, const QPalette &palette);
