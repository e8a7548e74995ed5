#include "shell/menu/actionitemarray.h"
#include "shell/menu/menucolumnlayout.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

using namespace shell;

namespace {

// A Record menu of count records, as a window shows it.
class RecordMenu : public testing::Test {
protected:
    void fill(int count)
    {
        records.shrink(1);
        for (int i = 0; i < count; ++i) {
            appendMenuItem(records, QStringLiteral("%1 Chapter %1 of the book").arg(i + 1), "", "",
                           0, false, true);
        }
    }

    // The index of each item that Qt placed at the top of a new column.
    QList<int> columnStarts()
    {
        QList<int> starts;
        for (int i = 1; i < records.count(); ++i) {
            const QRect previous = menu.actionGeometry(records.action(i - 1));
            const QRect current = menu.actionGeometry(records.action(i));
            if (current.left() > previous.left())
                starts.append(i);
        }
        return starts;
    }

    QList<int> expectedStarts(const MenuColumns &columns)
    {
        QList<int> starts;
        for (int i = 0; i < records.count(); ++i) {
            if (columns.startsColumn(i))
                starts.append(i);
        }
        return starts;
    }

    bool scrolls() { return menu.style()->styleHint(QStyle::SH_Menu_Scrollable, nullptr, &menu); }

    QWidget window;
    QMenu menu{&window};
    ActionItemArray records{&menu, "mRecordList", "", 1201};
    MenuColumnLayout layout{records};
};

} // namespace

TEST_F(RecordMenu, TheScreenIsFullHd)
{
    EXPECT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1920, 1080));
}

TEST_F(RecordMenu, AHundredRecordsBreakWhereTheArrangementSays)
{
    fill(100);
    const MenuColumns columns = layout.arrange(true, window);
    ASSERT_TRUE(columns.active);
    EXPECT_FALSE(scrolls());
    const QList<int> expected = expectedStarts(columns);
    EXPECT_GE(expected.size(), 2);
    EXPECT_EQ(columnStarts(), expected);
    const int firstTop = menu.actionGeometry(records.action(0)).top();
    for (const int start : expected)
        EXPECT_EQ(menu.actionGeometry(records.action(start)).top(), firstTop);
    for (int i = 0; i < records.count(); ++i)
        EXPECT_LE(menu.actionGeometry(records.action(i)).bottom(), 1080);
}

TEST_F(RecordMenu, ArrangingAgainReplacesTheBreaks)
{
    fill(100);
    layout.arrange(true, window);
    fill(150);
    const MenuColumns columns = layout.arrange(true, window);
    ASSERT_TRUE(columns.active);
    EXPECT_EQ(columnStarts(), expectedStarts(columns));
    EXPECT_EQ(menu.actions().size(), records.count() + expectedStarts(columns).size());
}

TEST_F(RecordMenu, WithTheOptionOffTheMenuScrollsInOneColumn)
{
    fill(100);
    layout.arrange(true, window);
    const MenuColumns columns = layout.arrange(false, window);
    EXPECT_FALSE(columns.active);
    EXPECT_TRUE(scrolls());
    EXPECT_TRUE(columnStarts().isEmpty());
    EXPECT_EQ(menu.actions().size(), records.count()) << "no spacer is left";
}

TEST_F(RecordMenu, AShortListStaysOneColumn)
{
    fill(20);
    const MenuColumns columns = layout.arrange(true, window);
    EXPECT_FALSE(columns.active);
    EXPECT_TRUE(scrolls());
    EXPECT_TRUE(columnStarts().isEmpty());
}
