#pragma once

#include "controls/controlframe.h"

#include <QColor>
#include <QRect>
#include <QStringList>

#include <vector>

class PropertyBag;

// A horizontal strip of equal boxes, one per item, marking the current one: boxes before it in
// ProgressColor, the current box in IndexColor, those after it in ForeColor, BackColor in the
// gaps. An indicator only: its pointer and key events go to the owner as signals. Lengths are
// in pixels.
class Slider : public ControlFrame {
    Q_OBJECT
public:
    explicit Slider(QWidget *parent = nullptr);

    // Never below 1: box 0 always exists.
    int count() const { return int(m_boxes.size()); }
    // Keeps box 0 (hidden for 0) and makes the number of boxes max(count, 1); clamps Value to
    // the last box. Negative counts and counts beyond 32767 are ignored.
    void setCount(int count);
    int value() const { return m_value; }
    // Ignored unless 0 <= value < count().
    void setValue(int value);
    int gap() const { return m_gap; }
    // Ignored outside the 16-bit range.
    void setGap(int gap);
    bool autoSize() const { return m_autoSize; }
    // Stored; the next layout fits the widget's width to its boxes.
    void setAutoSize(bool autoSize);
    // Stored only; the strip is always horizontal.
    int orientation() const { return m_orientation; }
    void setOrientation(int orientation);
    int borderStyle() const { return m_borderStyle; }
    // 0 none, 1 flat single line, 2 raised; other values change nothing.
    void setBorderStyle(int style);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color);
    QColor indexColor() const { return m_indexColor; }
    void setIndexColor(const QColor &color);
    QColor progressColor() const { return m_progressColor; }
    void setProgressColor(const QColor &color);

    // What a screen reader calls each box ("Record 3 of 12: Title"), by index; a box without one
    // is called by its number.
    void setItemNames(const QStringList &names);
    QString itemName(int index) const;

    // Box index's place in the widget; an empty rectangle for an index that does not exist.
    QRect boxGeometry(int index) const;
    bool isBoxVisible(int index) const;
    // The colour box index is painted in.
    QColor boxColor(int index) const;

    // Applies a saved bag; names missing from it take the values a saved bag leaves out.
    void readProperties(const PropertyBag &bag);
    // Writes every property under its bag name.
    void writeProperties(PropertyBag &bag) const;

signals:
    void itemNamesChanged();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Places the boxes in the inner area; with AutoSize first fits the width to them.
    void layoutBoxes();
    void setColor(QColor &field, const QColor &color, const char *bagName);

    // Boxes in inner-area coordinates.
    std::vector<QRect> m_boxes;
    bool m_firstBoxShown = true;
    int m_value = 0;
    int m_gap = 1;
    bool m_autoSize = false;
    int m_orientation = 0;
    int m_borderStyle = 0;
    QColor m_backColor;
    QColor m_foreColor;
    QColor m_indexColor;
    QColor m_progressColor;
    QStringList m_itemNames;
    // Set while the layout runs, so that the resize AutoSize makes does not lay out again.
    bool m_layingOut = false;
};
