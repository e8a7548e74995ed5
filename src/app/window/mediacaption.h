#pragma once

#include <QString>

class ControlStrip;
class QFont;

// Status label 0 shows the current media's caption; when the caption with one "W" more would
// not fit the label in the window's font, the label's tooltip shows the caption in full,
// otherwise it says "Current media file".
void showMediaCaption(ControlStrip &strip, const QFont &windowFont, const QString &caption);
