#include "shell/menu/menucolumnlayout.h"

#include "shell/menu/actionitemarray.h"

#include <QMenu>
#include <QScreen>
#include <QWidget>
#include <QWidgetAction>

namespace shell {

MenuColumnLayout::MenuColumnLayout(const ActionItemArray &array, QObject *parent)
    : QObject(parent), m_array(array)
{
    m_array.menu()->setStyle(&m_scrolling);
}

MenuColumns MenuColumnLayout::arrange(bool enabled, const QWidget &measuringWindow)
{
    QMenu *menu = m_array.menu();
    removeSpacers();
    menu->setMaximumHeight(QWIDGETSIZE_MAX);
    const QRect screen = measuringWindow.screen()->availableGeometry();
    MenuColumnsInput input;
    input.enabled = enabled;
    input.itemCount = m_array.count();
    input.widestCaption = itemWidth() - menuItemWidthMargin;
    menu->setStyle(&m_columned);
    input.itemHeight = itemHeight();
    input.screenWidth = screen.width();
    input.screenHeight = screen.height();
    m_columns = arrangeMenuColumns(input);
    if (!m_columns.active) {
        scrollInOneColumn(screen);
        return m_columns;
    }
    const int firstTop = menu->actionGeometry(m_array.action(0)).top();
    addSpacers(columnBottom() - firstTop - m_columns.rows * input.itemHeight);
    // The menu's frame and the columns' spacing come on top of the items: a menu that ends up
    // wider than the screen scrolls instead.
    if (menu->sizeHint().width() > screen.width())
        scrollInOneColumn(screen);
    return m_columns;
}

void MenuColumnLayout::scrollInOneColumn(const QRect &screen)
{
    removeSpacers();
    m_array.menu()->setStyle(&m_scrolling);
    // Qt places a menu as tall as the screen a pixel beyond its bottom edge.
    m_array.menu()->setMaximumHeight(screen.height() - 4);
    m_columns = MenuColumns();
}

void MenuColumnLayout::removeSpacers()
{
    for (QWidgetAction *spacer : std::as_const(m_spacers)) {
        m_array.menu()->removeAction(spacer);
        delete spacer;
    }
    m_spacers.clear();
}

int MenuColumnLayout::itemHeight() const
{
    for (int i = 0; i < m_array.count(); ++i) {
        const int height = m_array.menu()->actionGeometry(m_array.action(i)).height();
        if (height > 0)
            return height;
    }
    return 0;
}

int MenuColumnLayout::itemWidth()
{
    QMenu *menu = m_array.menu();
    menu->setStyle(&m_scrolling);
    return menu->actionGeometry(m_array.action(0)).width();
}

int MenuColumnLayout::columnBottom() const
{
    // The last item of Qt's first column ends where Qt lets a column end (it wraps only when the
    // next whole item would not fit); with no wrap at all the items fill the column exactly.
    const QMenu *menu = m_array.menu();
    const int firstLeft = menu->actionGeometry(m_array.action(0)).left();
    int bottom = 0;
    for (int i = 0; i < m_array.count(); ++i) {
        const QRect geometry = menu->actionGeometry(m_array.action(i));
        if (geometry.isEmpty())
            continue;
        if (geometry.left() != firstLeft)
            break;
        bottom = geometry.top() + geometry.height();
    }
    return bottom;
}

void MenuColumnLayout::addSpacers(int height)
{
    if (height <= 0)
        return;
    QMenu *menu = m_array.menu();
    for (int i = 0; i < m_array.count(); ++i) {
        if (!m_columns.startsColumn(i))
            continue;
        auto *filler = new QWidget;
        filler->setFixedSize(1, height);
        auto *spacer = new QWidgetAction(menu);
        spacer->setDefaultWidget(filler);
        spacer->setEnabled(false);
        menu->insertAction(m_array.action(i), spacer);
        m_spacers.append(spacer);
    }
}

} // namespace shell
