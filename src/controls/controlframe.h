#pragma once

#include <QCursor>
#include <QFrame>
#include <QPixmap>

#include <optional>

class QDragMoveEvent;
class QDropEvent;

// Base of the strip's reusable controls: hands the pointer, keyboard and drop events of the
// control's surface to its owner as signals, and carries what both controls share (MousePointer,
// MouseIcon, Version, About, the property-changed notice). Buttons are numbered 1 left, 2 right,
// 4 middle; shift states add 1 Shift, 2 Ctrl, 4 Alt; keys are Qt key codes.
class ControlFrame : public QFrame {
    Q_OBJECT
public:
    enum DragState { DragEnter = 0, DragLeave = 1, DragOver = 2 };
    Q_ENUM(DragState)

    // The pointer number that shows MouseIcon.
    static constexpr int customPointer = 99;

    explicit ControlFrame(QWidget *parent = nullptr);

    int mousePointer() const { return m_mousePointer; }
    // Takes 0 (the surface's own pointer) to 15, or customPointer; other numbers change nothing.
    void setMousePointer(int pointer);
    QPixmap mouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap &icon);
    // Enabled as set on this control itself, whatever its parents are.
    bool ownEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

    // The application's version as "major.minor.revision".
    static QString version();
    // The About box's text: the application's description, a blank line, "Version" and the
    // version.
    static QString aboutText();
    // Shows the About box; modal.
    void about();

signals:
    void click();
    void dblClick();
    void keyDown(int key, int shift);
    // The character typed; after keyDown.
    void keyPress(int character);
    void keyUp(int key, int shift);
    void mouseDown(int button, int shift, int x, int y);
    // buttons: the buttons held, added up.
    void mouseMove(int buttons, int shift, int x, int y);
    void mouseUp(int button, int shift, int x, int y);
    // Enter and Over carry the event, to be accepted by a receiver that takes the drop; Leave
    // carries none.
    void oleDragOver(QDragMoveEvent *event, ControlFrame::DragState state);
    void oleDragDrop(QDropEvent *event);
    // A property was written with a new value; name is its property-bag name.
    void propertyChanged(const QString &name);

protected:
    // Raises the owner's signal for an input event of the surface (this control or a child of
    // it); offset is the surface's place in this control. Leaves the event to its receiver.
    void relayEvent(QEvent *event, QPoint offset = {});
    // The cursor the MousePointer asks for; none when the surface keeps its own.
    std::optional<QCursor> pointerCursor() const;
    // Puts pointerCursor() on the surface; runs after every MousePointer or MouseIcon change.
    virtual void applyPointer();

private:
    void relayMouse(const QEvent *event, QPoint offset);
    void relayKey(const QEvent *event);

    int m_mousePointer = 0;
    QPixmap m_mouseIcon;
    // The button of the last press, for Click on its release; none after a double click.
    Qt::MouseButton m_pressedButton = Qt::NoButton;
};
