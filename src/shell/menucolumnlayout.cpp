#include "shell/menucolumnlayout.h"

#include "shell/actionitemarray.h"

#include <QFontMetrics>
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
    menu->setStyle(&m_columned);
    const QRect screen = measuringWindow.screen()->geometry();
    MenuColumnsInput input;
    input.enabled = enabled;
    input.itemCount = m_array.count();
    input.widestCaption = widestCaption(measuringWindow.font());
    input.itemHeight = itemHeight();
    input.screenWidth = screen.width();
    input.screenHeight = screen.height();
    m_columns = arrangeMenuColumns(input);
    if (!m_columns.active) {
        menu->setStyle(&m_scrolling);
        return m_columns;
    }
    const int firstTop = menu->actionGeometry(m_array.action(0)).top();
    addSpacers(columnBottom() - firstTop - m_columns.rows * input.itemHeight);
    return m_columns;
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

int MenuColumnLayout::widestCaption(const QFont &font) const
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int i = 0; i < m_array.count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(m_array.caption(i)));
    return widest;
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
