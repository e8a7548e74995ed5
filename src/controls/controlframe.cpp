#include "controls/controlframe.h"

#include <QCoreApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QVersionNumber>

#include <array>

namespace {

constexpr int pointerCount = 16;

// Pointer numbers 1..15; 4, the icon pointer, has no Qt shape and shows the arrow.
constexpr std::array<Qt::CursorShape, pointerCount> pointerShapes = {
    Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
    Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
    Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
    Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};

int buttonNumbers(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

ControlFrame::ControlFrame(QWidget *parent) : QFrame(parent) {}

void ControlFrame::setMousePointer(int pointer)
{
    const bool known = (pointer >= 0 && pointer < pointerCount) || pointer == customPointer;
    if (!known || pointer == m_mousePointer)
        return;
    m_mousePointer = pointer;
    applyPointer();
    emit propertyChanged(QStringLiteral("MousePointer"));
}

void ControlFrame::setMouseIcon(const QPixmap &icon)
{
    if (icon.cacheKey() == m_mouseIcon.cacheKey())
        return;
    m_mouseIcon = icon;
    applyPointer();
    emit propertyChanged(QStringLiteral("MouseIcon"));
}

QString ControlFrame::version()
{
    const QVersionNumber number =
        QVersionNumber::fromString(QCoreApplication::applicationVersion());
    return QStringLiteral("%1.%2.%3")
        .arg(number.majorVersion())
        .arg(number.minorVersion())
        .arg(number.microVersion());
}

QString ControlFrame::aboutText()
{
    return QGuiApplication::applicationDisplayName() + QStringLiteral("\n\nVersion ") + version();
}

void ControlFrame::about()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("About..."), aboutText(),
                    QMessageBox::Ok, this);
    box.exec();
}

void ControlFrame::relayEvent(QEvent *event, QPoint offset)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        relayMouse(event, offset);
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        relayKey(event);
        break;
    case QEvent::DragEnter:
        emit oleDragOver(static_cast<QDragMoveEvent *>(event), DragEnter);
        break;
    case QEvent::DragMove:
        emit oleDragOver(static_cast<QDragMoveEvent *>(event), DragOver);
        break;
    case QEvent::DragLeave:
        emit oleDragOver(nullptr, DragLeave);
        break;
    case QEvent::Drop:
        emit oleDragDrop(static_cast<QDropEvent *>(event));
        break;
    default:
        break;
    }
}

void ControlFrame::relayMouse(const QEvent *event, QPoint offset)
{
    const auto *mouse = static_cast<const QMouseEvent *>(event);
    const QPoint at = mouse->position().toPoint() + offset;
    const int shift = shiftState(mouse->modifiers());
    const int button = buttonNumbers(mouse->button());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressedButton = mouse->button();
        emit mouseDown(button, shift, at.x(), at.y());
        break;
    case QEvent::MouseButtonRelease: {
        emit mouseUp(button, shift, at.x(), at.y());
        const bool clicked = mouse->button() == m_pressedButton && rect().contains(at);
        m_pressedButton = Qt::NoButton;
        if (clicked)
            emit click();
        break;
    }
    case QEvent::MouseButtonDblClick:
        // The second press of a double click is no press of its own, and its release no click.
        m_pressedButton = Qt::NoButton;
        emit dblClick();
        break;
    default:
        emit mouseMove(buttonNumbers(mouse->buttons()), shift, at.x(), at.y());
        break;
    }
}

void ControlFrame::relayKey(const QEvent *event)
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    const int shift = shiftState(key->modifiers());
    if (event->type() == QEvent::KeyRelease) {
        // A held key repeats its press, not its release.
        if (!key->isAutoRepeat())
            emit keyUp(key->key(), shift);
        return;
    }
    emit keyDown(key->key(), shift);
    if (!key->text().isEmpty())
        emit keyPress(key->text().at(0).unicode());
}

std::optional<QCursor> ControlFrame::pointerCursor() const
{
    if (m_mousePointer == customPointer)
        return m_mouseIcon.isNull() ? std::nullopt : std::optional<QCursor>(QCursor(m_mouseIcon));
    if (m_mousePointer == 0)
        return std::nullopt;
    return QCursor(pointerShapes[m_mousePointer]);
}

void ControlFrame::applyPointer()
{
    if (const std::optional<QCursor> cursor = pointerCursor())
        setCursor(*cursor);
    else
        unsetCursor();
}
