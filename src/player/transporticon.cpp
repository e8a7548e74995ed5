#include "player/transporticon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace {

// The shapes on a 16 by 16 grid.
QPainterPath glyphPath(TransportGlyph glyph)
{
    QPainterPath path;
    switch (glyph) {
    case TransportGlyph::Play:
        path.moveTo(4, 2);
        path.lineTo(14, 8);
        path.lineTo(4, 14);
        path.closeSubpath();
        break;
    case TransportGlyph::Pause:
        path.addRect(3, 2, 3.5, 12);
        path.addRect(9.5, 2, 3.5, 12);
        break;
    case TransportGlyph::Stop:
        path.addRect(3, 3, 10, 10);
        break;
    case TransportGlyph::Volume:
    case TransportGlyph::Muted:
        path.moveTo(1, 6);
        path.lineTo(4, 6);
        path.lineTo(8, 2);
        path.lineTo(8, 14);
        path.lineTo(4, 10);
        path.lineTo(1, 10);
        path.closeSubpath();
        break;
    }
    return path;
}

class TransportIconEngine : public QIconEngine {
public:
    TransportIconEngine(TransportGlyph glyph, const QPalette &palette)
        : m_glyph(glyph), m_normal(palette.color(QPalette::Active, QPalette::ButtonText)),
          m_disabled(palette.color(QPalette::Disabled, QPalette::ButtonText))
    {
    }

    QIconEngine *clone() const override { return new TransportIconEngine(*this); }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const QColor color = mode == QIcon::Disabled ? m_disabled : m_normal;
        const qreal side = qMin(rect.width(), rect.height());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.x() + (rect.width() - side) / 2,
                           rect.y() + (rect.height() - side) / 2);
        painter->scale(side / 16, side / 16);
        painter->fillPath(glyphPath(m_glyph), color);
        painter->setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap));
        if (m_glyph == TransportGlyph::Volume) {
            painter->drawArc(QRectF(6, 4.5, 7, 7), -50 * 16, 100 * 16);
            painter->drawArc(QRectF(5, 2, 10, 12), -50 * 16, 100 * 16);
        } else if (m_glyph == TransportGlyph::Muted) {
            painter->drawLine(QPointF(10, 5.5), QPointF(15, 10.5));
            painter->drawLine(QPointF(10, 10.5), QPointF(15, 5.5));
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

private:
    TransportGlyph m_glyph;
    QColor m_normal;
    QColor m_disabled;
};

} // namespace

QIcon transportIcon(TransportGlyph glyph, const QPalette &palette)
{
    return QIcon(new TransportIconEngine(glyph, palette));
}
