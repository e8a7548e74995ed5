#include "controls/slider.h"

#include "controls/propertybag.h"
#include "controls/sliderlayout.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>
#include <QPixmap>

#include <limits>

namespace {

constexpr int maxCount = std::numeric_limits<qint16>::max();
const QColor defaultBackColor = colorFromBgr(0xFFFFFF);
const QColor defaultBoxColor = colorFromBgr(0x800000);

bool fitsInt16(int value)
{
    return value >= std::numeric_limits<qint16>::min() && value <= maxCount;
}

} // namespace

Slider::Slider(QWidget *parent)
    : ControlFrame(parent), m_boxes(1), m_backColor(defaultBackColor), m_foreColor(defaultBoxColor),
      m_indexColor(defaultBoxColor), m_progressColor(defaultBoxColor)
{
    setMouseTracking(true);
    // Reached with Tab too, so that a screen reader can read the boxes; keys still only go on
    // to the owner.
    setFocusPolicy(Qt::StrongFocus);
}

void Slider::setCount(int count)
{
    if (count < 0 || count > maxCount)
        return;
    const int oldCount = this->count();
    const bool oldShown = m_firstBoxShown;
    m_boxes.resize(std::max(count, 1));
    m_firstBoxShown = count >= 1;
    if (m_value > this->count() - 1)
        m_value = this->count() - 1;
    layoutBoxes();
    update();
    if (oldCount != this->count() || oldShown != m_firstBoxShown)
        emit propertyChanged(QStringLiteral("Count"));
}

void Slider::setValue(int value)
{
    if (value < 0 || value > count() - 1 || value == m_value)
        return;
    m_value = value;
    update();
    emit propertyChanged(QStringLiteral("Value"));
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::Selection);
        event.setChild(value);
        QAccessible::updateAccessibility(&event);
    }
}

void Slider::setItemNames(const QStringList &names)
{
    if (names == m_itemNames)
        return;
    m_itemNames = names;
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        event.setChild(m_value);
        QAccessible::updateAccessibility(&event);
    }
    emit itemNamesChanged();
}

QString Slider::itemName(int index) const
{
    if (index < 0 || index >= count())
        return QString();
    const QString name = m_itemNames.value(index);
    return name.isEmpty() ? QString::number(index + 1) : name;
}

void Slider::setGap(int gap)
{
    if (!fitsInt16(gap) || gap == m_gap)
        return;
    m_gap = gap;
    layoutBoxes();
    update();
    emit propertyChanged(QStringLiteral("Gap"));
}

void Slider::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    emit propertyChanged(QStringLiteral("AutoSize"));
}

void Slider::setOrientation(int orientation)
{
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    emit propertyChanged(QStringLiteral("Orientation"));
}

void Slider::setBorderStyle(int style)
{
    if (style < 0 || style > 2 || style == m_borderStyle)
        return;
    m_borderStyle = style;
    switch (style) {
    case 0:
        setFrameStyle(QFrame::NoFrame);
        break;
    case 1:
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        break;
    default:
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(2);
        break;
    }
    layoutBoxes();
    update();
    emit propertyChanged(QStringLiteral("BorderStyle"));
}

void Slider::setBackColor(const QColor &color)
{
    setColor(m_backColor, color, "BackColor");
}

void Slider::setForeColor(const QColor &color)
{
    setColor(m_foreColor, color, "ForeColor");
}

void Slider::setIndexColor(const QColor &color)
{
    setColor(m_indexColor, color, "IndexColor");
}

void Slider::setProgressColor(const QColor &color)
{
    setColor(m_progressColor, color, "ProgressColor");
}

void Slider::setColor(QColor &field, const QColor &color, const char *bagName)
{
    if (!color.isValid() || color == field)
        return;
    field = color;
    update();
    emit propertyChanged(QString::fromLatin1(bagName));
}

QRect Slider::boxGeometry(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_boxes[index].translated(contentsRect().topLeft());
}

bool Slider::isBoxVisible(int index) const
{
    return index > 0 ? index < count() : index == 0 && m_firstBoxShown;
}

QColor Slider::boxColor(int index) const
{
    if (index < m_value)
        return m_progressColor;
    return index == m_value ? m_indexColor : m_foreColor;
}

void Slider::readProperties(const PropertyBag &bag)
{
    setAutoSize(bag.readBool(QStringLiteral("AutoSize"), false));
    setGap(bag.readInt(QStringLiteral("Gap"), 0));
    setBorderStyle(bag.readInt(QStringLiteral("BorderStyle"), 0));
    setOrientation(bag.readInt(QStringLiteral("Orientation"), 0));
    setCount(bag.readInt(QStringLiteral("Count"), 0));
    setValue(bag.readInt(QStringLiteral("Value"), 0));
    setBackColor(bag.readColor(QStringLiteral("BackColor"), defaultBackColor));
    setForeColor(bag.readColor(QStringLiteral("ForeColor"), defaultBoxColor));
    setIndexColor(bag.readColor(QStringLiteral("IndexColor"), defaultBoxColor));
    setProgressColor(bag.readColor(QStringLiteral("ProgressColor"), defaultBoxColor));
    setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
    setMouseIcon(bag.read(QStringLiteral("MouseIcon")).value<QPixmap>());
    setMousePointer(bag.readInt(QStringLiteral("MousePointer"), 0));
    update();
}

void Slider::writeProperties(PropertyBag &bag) const
{
    bag.write(QStringLiteral("AutoSize"), m_autoSize);
    bag.write(QStringLiteral("BackColor"), m_backColor);
    bag.write(QStringLiteral("ForeColor"), m_foreColor);
    bag.write(QStringLiteral("IndexColor"), m_indexColor);
    bag.write(QStringLiteral("ProgressColor"), m_progressColor);
    bag.write(QStringLiteral("Count"), count());
    bag.write(QStringLiteral("Value"), m_value);
    bag.write(QStringLiteral("Gap"), m_gap);
    bag.write(QStringLiteral("Orientation"), m_orientation);
    bag.write(QStringLiteral("BorderStyle"), m_borderStyle);
    bag.write(QStringLiteral("Enabled"), ownEnabled());
    bag.write(QStringLiteral("MouseIcon"), mouseIcon());
    bag.write(QStringLiteral("MousePointer"), mousePointer());
}

bool Slider::event(QEvent *event)
{
    relayEvent(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        // The owner has had them; the strip does nothing with them itself.
        event->accept();
        return true;
    default:
        return ControlFrame::event(event);
    }
}

void Slider::resizeEvent(QResizeEvent *event)
{
    ControlFrame::resizeEvent(event);
    layoutBoxes();
}

void Slider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    drawFrame(&painter);
    const QPoint origin = contentsRect().topLeft();
    for (int i = 0; i < count(); ++i) {
        if (isBoxVisible(i))
            painter.fillRect(m_boxes[i].translated(origin), boxColor(i));
    }
    if (hasFocus()) {
        // Text-coloured dots on a line of the ground's colour show over boxes of any colour.
        const QRect edge = rect().adjusted(0, 0, -1, -1);
        painter.setPen(QPen(palette().color(QPalette::Base), 1));
        painter.drawRect(edge);
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(edge);
    }
}

void Slider::layoutBoxes()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    const int innerWidth = contentsRect().width();
    const SliderLayout layout = layoutSliderBoxes(innerWidth, count(), m_gap, m_autoSize);
    if (m_autoSize && layout.usedWidth != innerWidth)
        resize(width() - innerWidth + layout.usedWidth, height());
    const int height = contentsRect().height();
    for (int i = 0; i < count(); ++i)
        m_boxes[i] = QRect(layout.lefts[i], 0, layout.boxWidth, height);
    m_layingOut = false;
}
