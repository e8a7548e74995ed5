#pragma once

#include "controls/controlframe.h"

#include <QColor>
#include <QPalette>

class PropertyBag;
class QKeyEvent;
class QLineEdit;
class QScrollBar;
class QWheelEvent;

// A whole-number entry: the text box tbSpin holding the number, and beside it the vertical
// scroll bar vsSpin whose arrows step it. The number is held within Min..Max after every change
// of the text, and the scroll position runs the other way: position = Max + Min - number. With
// CustomMenu a plain right click opens no edit menu, leaving the owner to show its own on
// mouseDown. The text box's pointer events reach the owner in this widget's coordinates.
class SpinBox : public ControlFrame {
    Q_OBJECT
public:
    enum DragMode { DragManual = 0, DragAutomatic = 1 };
    enum DropMode { DropNone = 0, DropManual = 1, DropAutomatic = 2 };

    explicit SpinBox(QWidget *parent = nullptr);

    // The number the text starts with, rounded; 0 when it starts with none.
    int value() const;
    // Clamps to Min..Max, shows the number and moves the scroll bar to match.
    void setValue(int value);
    QString text() const;

    int min() const { return m_min; }
    // Each bound is ignored outside the 16-bit range; the number is clamped into the new range.
    void setMin(int min);
    int max() const { return m_max; }
    void setMax(int max);
    int smallChange() const;
    // Ignored below 1 or beyond 32767.
    void setSmallChange(int step);
    bool customMenu() const { return m_customMenu; }
    void setCustomMenu(bool custom);

    QColor backColor() const;
    void setBackColor(const QColor &color);
    QColor foreColor() const;
    void setForeColor(const QColor &color);
    int oleDragMode() const { return m_oleDragMode; }
    // A DragMode; other values change nothing.
    void setOleDragMode(int mode);
    int oleDropMode() const { return m_oleDropMode; }
    // A DropMode; other values change nothing. Manual hands drops to the owner only.
    void setOleDropMode(int mode);

    // The text box's selection; writes are held within the text.
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    QString selText() const;
    // Replaces the selection; the result is checked like typed text.
    void setSelText(const QString &text);
    // The name a screen reader gives the box and its text field, which takes the focus, and the
    // unit it says after the number ("80 percent").
    void setSpokenName(const QString &name, const QString &unit = QString());
    QString spokenValue() const;
    QString toolTipText() const;
    void setToolTipText(const QString &text);

    // Applies a saved bag; names missing from it keep or take the values a saved bag leaves out.
    void readProperties(const PropertyBag &bag);
    // Writes every property under its bag name.
    void writeProperties(PropertyBag &bag) const;

    QSize sizeHint() const override;

signals:
    // The text changed and has been checked.
    void change();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // A notch of the wheel, over the number or the arrows, steps the number by SmallChange
    // (up raises it), as the arrows do.
    void wheelEvent(QWheelEvent *event) override;
    void applyPointer() override;

private:
    void checkText();
    void showScrollPosition(int position);
    // Re-applies the number after a change of range.
    void applyRange(const char *bagName);
    // Handles Ctrl+A and the Alt+arrow steps; true when the key was one of them.
    bool handleKey(const QKeyEvent *event);
    // A plain right click with CustomMenu opens no edit menu; the press has already reached the
    // text box, which leaves the selection alone and takes the focus.
    bool suppressesMenu(Qt::KeyboardModifiers modifiers) const;
    void setTextColor(QPalette::ColorRole role, const QColor &color, const char *bagName);
    QSize textBoxSize() const;
    int scrollBarWidth() const;
    void layoutParts();

    QLineEdit *m_text;
    QString m_spokenUnit;
    QScrollBar *m_scroll;
    int m_min = 0;
    int m_max = 100;
    bool m_customMenu = false;
    int m_oleDragMode = DragManual;
    int m_oleDropMode = DropNone;
    // The wheel turned since the last whole notch, in eighths of a degree.
    int m_wheelDelta = 0;
};
