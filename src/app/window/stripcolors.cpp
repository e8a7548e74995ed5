#include "app/window/stripcolors.h"

#include <QPalette>

namespace {

const QColor lightBoxColor(132, 197, 255);
const QColor lightCurrentColor(0, 61, 184);

QColor halfway(const QColor &a, const QColor &b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

StripColors stripColors(const QPalette &palette)
{
    const QColor ground = palette.color(QPalette::Base);
    if (ground.lightness() >= palette.color(QPalette::Text).lightness())
        return {ground, lightBoxColor, lightCurrentColor};
    const QColor highlight = palette.color(QPalette::Highlight);
    return {ground, halfway(highlight, ground), highlight};
}
