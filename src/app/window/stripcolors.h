#pragma once

#include <QColor>

class QPalette;

// The records strip's colours for a desktop palette: its ground, the boxes after the current
// one, and the current box with those before it.
struct StripColors {
    QColor ground;
    QColor box;
    QColor current;
};

// On a light desktop the strip keeps its light-blue boxes and dark-blue current box; on a dark
// or dark high-contrast one, fixed blues would vanish or glare, so the current box takes the
// palette's highlight and the others a mix of it with the ground.
StripColors stripColors(const QPalette &palette);
