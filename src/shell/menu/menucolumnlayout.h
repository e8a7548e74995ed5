#pragma once

#include "shell/menu/menucolumns.h"
#include "shell/menu/menustyle.h"

#include <QList>
#include <QObject>

class QRect;
class QWidgetAction;
class QWidget;

namespace shell {

class ActionItemArray;

// Shows a menu that holds one item array either in one scrolling column or in the columns that
// arrangeMenuColumns decides. Qt has no per-item column break: a menu that does not scroll wraps
// into a new column when the next entry would pass the screen's bottom, so a disabled spacer of
// the right height closes each column early.
class MenuColumnLayout : public QObject {
    Q_OBJECT
public:
    // The array's menu takes the scrolling style at once.
    explicit MenuColumnLayout(const ActionItemArray &array, QObject *parent = nullptr);

    // Arranges the menu for the available area of the measuring window's screen, item widths and
    // heights as Qt draws the menu's items (the record's title column included). Columns that
    // would not fit the screen's width give way to one scrolling column. Returns the arrangement
    // in force.
    MenuColumns arrange(bool enabled, const QWidget &measuringWindow);

private:
    void removeSpacers();
    int itemHeight() const;
    // The width of the widest item as the menu draws it in one column.
    int itemWidth();
    void scrollInOneColumn(const QRect &screen);
    // The bottom edge Qt's own wrapping allows for a column, in the menu's coordinates.
    int columnBottom() const;
    void addSpacers(int height);

    const ActionItemArray &m_array;
    MenuStyle m_scrolling{true};
    MenuStyle m_columned{false};
    QList<QWidgetAction *> m_spacers;
    MenuColumns m_columns;
};

} // namespace shell
