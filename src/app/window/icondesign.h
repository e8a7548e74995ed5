#pragma once

class QPainter;

// The program's icon, an open book with a note on it, drawn into a square of the given side in
// the painter's units. One design for the window icon and for the icon files of an install.
void paintProgramIcon(QPainter &painter, double side);
