#include "app/window/mediacaption.h"

#include "app/window/controlstrip.h"

#include <QFontMetrics>
#include <QLabel>

void showMediaCaption(ControlStrip &strip, const QFont &windowFont, const QString &caption)
{
    strip.setMediaCaption(caption);
    QLabel *label = strip.statusLabel(0);
    const int width = QFontMetrics(windowFont).horizontalAdvance(caption + u'W');
    label->setToolTip(width <= label->width() ? QStringLiteral("Current media file") : caption);
}
