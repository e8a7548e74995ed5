#include "app/window/icondesign.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor background(0, 61, 184);
const QColor page(255, 255, 255);
const QColor note(132, 197, 255);

// The design's own square.
constexpr double designSide = 64.0;

} // namespace

void paintProgramIcon(QPainter &painter, double side)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / designSide, side / designSide);

    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    QPainterPath book;
    book.moveTo(32, 22);
    book.cubicTo(24, 16, 14, 16, 8, 19);
    book.lineTo(8, 50);
    book.cubicTo(14, 47, 24, 47, 32, 53);
    book.cubicTo(40, 47, 50, 47, 56, 50);
    book.lineTo(56, 19);
    book.cubicTo(50, 16, 40, 16, 32, 22);
    book.closeSubpath();
    painter.setBrush(page);
    painter.drawPath(book);

    painter.setPen(QPen(background, 2));
    painter.drawLine(QPointF(32, 22), QPointF(32, 53));

    painter.setPen(Qt::NoPen);
    painter.setBrush(note);
    painter.drawEllipse(QRectF(36, 36, 9, 7));
    painter.drawRect(QRectF(43, 20, 2.5, 20));
    painter.drawRect(QRectF(43, 20, 8, 3));
    painter.restore();
}
