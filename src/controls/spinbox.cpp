#include "controls/spinbox.h"

#include "controls/leadingnumber.h"
#include "controls/propertybag.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWheelEvent>

#include <algorithm>
#include <limits>

namespace {

// The text box is as high as this sample needs in the current font.
const QString sampleText = QStringLiteral("{}Wdflbkqypgj[]");
// QLineEdit's own margins around its text.
constexpr int textHorizontalMargin = 2;
constexpr int textVerticalMargin = 1;

bool fitsInt16(int value)
{
    return value >= std::numeric_limits<qint16>::min() &&
           value <= std::numeric_limits<qint16>::max();
}

Qt::KeyboardModifiers shiftKeys(Qt::KeyboardModifiers modifiers)
{
    return modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

// Decimal digits of the bound, at least one.
int digitCount(int bound)
{
    return int(QString::number(qAbs(qint64(bound))).size());
}

} // namespace

SpinBox::SpinBox(QWidget *parent)
    : ControlFrame(parent), m_text(new QLineEdit(this)),
      m_scroll(new QScrollBar(Qt::Vertical, this))
{
    m_text->setObjectName(QStringLiteral("tbSpin"));
    m_scroll->setObjectName(QStringLiteral("vsSpin"));
    m_text->setMouseTracking(true);
    m_text->setAcceptDrops(false);
    m_text->installEventFilter(this);
    m_scroll->installEventFilter(this);
    m_scroll->setRange(m_min, m_max);
    m_scroll->setSingleStep(1);
    setFocusProxy(m_text);
    connect(m_text, &QLineEdit::textChanged, this, &SpinBox::checkText);
    connect(m_scroll, &QScrollBar::valueChanged, this, &SpinBox::showScrollPosition);
    setValue(m_min);
    layoutParts();
}

int SpinBox::value() const
{
    return leadingInteger(m_text->text());
}

void SpinBox::setValue(int value)
{
    const int number = qMin(qMax(value, m_min), m_max);
    const QString text = QString::number(number);
    if (m_text->text() != text)
        m_text->setText(text);
    {
        // The position is the number's; showing it back would only write the same text.
        const QSignalBlocker quiet(m_scroll);
        m_scroll->setValue(m_max + m_min - number);
    }
    emit propertyChanged(QStringLiteral("Value"));
}

QString SpinBox::text() const
{
    return m_text->text();
}

void SpinBox::setMin(int min)
{
    if (!fitsInt16(min) || min == m_min)
        return;
    m_min = min;
    applyRange("Min");
}

void SpinBox::setMax(int max)
{
    if (!fitsInt16(max) || max == m_max)
        return;
    m_max = max;
    applyRange("Max");
    layoutParts();
}

void SpinBox::applyRange(const char *bagName)
{
    {
        // The scroll bar holds only an ordered range, and clamping its position must not be
        // read as a move.
        const QSignalBlocker quiet(m_scroll);
        m_scroll->setRange(qMin(m_min, m_max), qMax(m_min, m_max));
    }
    setValue(value());
    emit propertyChanged(QString::fromLatin1(bagName));
}

int SpinBox::smallChange() const
{
    return m_scroll->singleStep();
}

void SpinBox::setSmallChange(int step)
{
    if (step < 1 || !fitsInt16(step) || step == smallChange())
        return;
    m_scroll->setSingleStep(step);
    emit propertyChanged(QStringLiteral("SmallChange"));
}

void SpinBox::setCustomMenu(bool custom)
{
    if (custom == m_customMenu)
        return;
    m_customMenu = custom;
    emit propertyChanged(QStringLiteral("CustomMenu"));
}

QColor SpinBox::backColor() const
{
    return m_text->palette().color(QPalette::Base);
}

void SpinBox::setBackColor(const QColor &color)
{
    setTextColor(QPalette::Base, color, "BackColor");
}

QColor SpinBox::foreColor() const
{
    return m_text->palette().color(QPalette::Text);
}

void SpinBox::setForeColor(const QColor &color)
{
    setTextColor(QPalette::Text, color, "ForeColor");
}

void SpinBox::setTextColor(QPalette::ColorRole role, const QColor &color, const char *bagName)
{
    QPalette palette = m_text->palette();
    if (!color.isValid() || palette.color(role) == color)
        return;
    palette.setColor(role, color);
    m_text->setPalette(palette);
    emit propertyChanged(QString::fromLatin1(bagName));
}

void SpinBox::setOleDragMode(int mode)
{
    if ((mode != DragManual && mode != DragAutomatic) || mode == m_oleDragMode)
        return;
    m_oleDragMode = mode;
    m_text->setDragEnabled(mode == DragAutomatic);
    emit propertyChanged(QStringLiteral("OLEDragMode"));
}

void SpinBox::setOleDropMode(int mode)
{
    if (mode < DropNone || mode > DropAutomatic || mode == m_oleDropMode)
        return;
    m_oleDropMode = mode;
    m_text->setAcceptDrops(mode != DropNone);
    emit propertyChanged(QStringLiteral("OLEDropMode"));
}

int SpinBox::selStart() const
{
    return m_text->hasSelectedText() ? m_text->selectionStart() : m_text->cursorPosition();
}

void SpinBox::setSelStart(int start)
{
    m_text->setCursorPosition(qBound(0, start, int(m_text->text().size())));
}

int SpinBox::selLength() const
{
    return int(m_text->selectedText().size());
}

void SpinBox::setSelLength(int length)
{
    const int start = selStart();
    m_text->setSelection(start, qBound(0, length, int(m_text->text().size()) - start));
}

QString SpinBox::selText() const
{
    return m_text->selectedText();
}

void SpinBox::setSelText(const QString &text)
{
    m_text->insert(text);
}

void SpinBox::setSpokenName(const QString &name, const QString &unit)
{
    setAccessibleName(name);
    m_text->setAccessibleName(name);
    m_scroll->setAccessibleName(name);
    m_spokenUnit = unit;
}

QString SpinBox::spokenValue() const
{
    return m_spokenUnit.isEmpty() ? text() : text() + u' ' + m_spokenUnit;
}

QString SpinBox::toolTipText() const
{
    return m_text->toolTip();
}

void SpinBox::setToolTipText(const QString &text)
{
    m_text->setToolTip(text);
}

void SpinBox::readProperties(const PropertyBag &bag)
{
    const QPalette system = QApplication::palette(m_text);
    setBackColor(bag.readColor(QStringLiteral("BackColor"), system.color(QPalette::Base)));
    setCustomMenu(bag.readBool(QStringLiteral("CustomMenu"), false));
    setEnabled(bag.readBool(QStringLiteral("Enabled"), true));
    const QVariant font = bag.read(QStringLiteral("Font"));
    if (font.typeId() == QMetaType::QFont && font.value<QFont>() != this->font())
        setFont(font.value<QFont>());
    setForeColor(bag.readColor(QStringLiteral("ForeColor"), system.color(QPalette::Text)));
    setMax(bag.readInt(QStringLiteral("Max"), m_max));
    setMin(bag.readInt(QStringLiteral("Min"), m_min));
    setMouseIcon(bag.read(QStringLiteral("MouseIcon")).value<QPixmap>());
    setMousePointer(bag.readInt(QStringLiteral("MousePointer"), 0));
    setOleDragMode(bag.readInt(QStringLiteral("OLEDragMode"), DragManual));
    setOleDropMode(bag.readInt(QStringLiteral("OLEDropMode"), DropNone));
    setSmallChange(bag.readInt(QStringLiteral("SmallChange"), smallChange()));
    m_text->setText(bag.read(QStringLiteral("Value")).toString());
}

void SpinBox::writeProperties(PropertyBag &bag) const
{
    bag.write(QStringLiteral("BackColor"), backColor());
    bag.write(QStringLiteral("CustomMenu"), m_customMenu);
    bag.write(QStringLiteral("Enabled"), ownEnabled());
    bag.write(QStringLiteral("Font"), font());
    bag.write(QStringLiteral("ForeColor"), foreColor());
    bag.write(QStringLiteral("Max"), m_max);
    bag.write(QStringLiteral("Min"), m_min);
    bag.write(QStringLiteral("MouseIcon"), mouseIcon());
    bag.write(QStringLiteral("MousePointer"), mousePointer());
    bag.write(QStringLiteral("OLEDragMode"), m_oleDragMode);
    bag.write(QStringLiteral("OLEDropMode"), m_oleDropMode);
    bag.write(QStringLiteral("SmallChange"), smallChange());
    bag.write(QStringLiteral("Value"), m_text->text());
}

QSize SpinBox::sizeHint() const
{
    const QSize box = textBoxSize();
    return {box.width() + scrollBarWidth(), box.height()};
}

bool SpinBox::eventFilter(QObject *watched, QEvent *event)
{
    // The wheel is taken before the parts see it: a disabled box must not step either.
    if ((watched == m_scroll || watched == m_text) && event->type() == QEvent::Wheel) {
        if (isEnabled())
            wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    if (watched != m_text)
        return ControlFrame::eventFilter(watched, event);
    bool consumed = false;
    switch (event->type()) {
    case QEvent::KeyPress:
        consumed = handleKey(static_cast<QKeyEvent *>(event));
        break;
    case QEvent::ContextMenu: {
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        return menu->reason() == QContextMenuEvent::Mouse && suppressesMenu(menu->modifiers());
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        consumed = m_oleDropMode == DropManual;
        break;
    default:
        break;
    }
    relayEvent(event, m_text->pos());
    return consumed;
}

bool SpinBox::handleKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers keys = shiftKeys(event->modifiers());
    if (keys == Qt::ControlModifier && event->key() == Qt::Key_A) {
        m_text->selectAll();
        return true;
    }
    if (keys == Qt::AltModifier && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        // Alt+Up lowers the number and Alt+Down raises it, on purpose.
        const qint64 step = event->key() == Qt::Key_Up ? -smallChange() : smallChange();
        m_text->setText(QString::number(value() + step));
        return true;
    }
    return false;
}

bool SpinBox::suppressesMenu(Qt::KeyboardModifiers modifiers) const
{
    return m_customMenu && shiftKeys(modifiers) == Qt::NoModifier;
}

void SpinBox::checkText()
{
    setValue(value());
    emit change();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, value());
        QAccessible::updateAccessibility(&event);
    }
}

void SpinBox::showScrollPosition(int position)
{
    const QString text = QString::number(m_max + m_min - position);
    if (m_text->text() != text)
        m_text->setText(text);
}

void SpinBox::resizeEvent(QResizeEvent *event)
{
    ControlFrame::resizeEvent(event);
    layoutParts();
}

void SpinBox::changeEvent(QEvent *event)
{
    ControlFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        layoutParts();
}

void SpinBox::showEvent(QShowEvent *event)
{
    ControlFrame::showEvent(event);
    m_text->end(false);
}

void SpinBox::wheelEvent(QWheelEvent *event)
{
    constexpr qint64 notch = QWheelEvent::DefaultDeltasPerStep;
    const qint64 turned = qint64(m_wheelDelta) + event->angleDelta().y();
    const qint64 notches = turned / notch;
    m_wheelDelta = int(turned - notches * notch);
    if (notches != 0) {
        const qint64 stepped = value() + notches * smallChange();
        m_text->setText(QString::number(std::clamp<qint64>(stepped, qMin(m_min, m_max), m_max)));
    }
    event->accept();
}

void SpinBox::applyPointer()
{
    const std::optional<QCursor> cursor = pointerCursor();
    m_text->setCursor(cursor.value_or(QCursor(Qt::IBeamCursor)));
    if (cursor)
        m_scroll->setCursor(*cursor);
    else
        m_scroll->unsetCursor();
}

QSize SpinBox::textBoxSize() const
{
    const QFontMetrics metrics = fontMetrics();
    const QMargins margins = m_text->textMargins() + m_text->contentsMargins();
    const QSize content(metrics.horizontalAdvance(QString(digitCount(m_max), u'9')) +
                            2 * textHorizontalMargin + margins.left() + margins.right(),
                        qMax(metrics.height(), metrics.boundingRect(sampleText).height()) +
                            2 * textVerticalMargin + margins.top() + margins.bottom());
    QStyleOptionFrame option;
    option.initFrom(m_text);
    option.lineWidth =
        m_text->hasFrame()
            ? m_text->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_text)
            : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    return m_text->style()->sizeFromContents(QStyle::CT_LineEdit, &option, content, m_text);
}

int SpinBox::scrollBarWidth() const
{
    return m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
}

void SpinBox::layoutParts()
{
    const QSize box = textBoxSize();
    m_text->setGeometry(0, 0, box.width(), box.height());
    m_scroll->setGeometry(box.width(), 0, scrollBarWidth(), box.height());
    updateGeometry();
}
