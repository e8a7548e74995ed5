#include "shell/menu/actionitemarray.h"
#include "shell/menu/itemarray.h"
#include "windowfixture.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <gtest/gtest.h>

namespace {

// Record captions as a long book shows them: duration and file, then the tag title.
void fillRecords(shell::ActionItemArray &records, int count)
{
    shell::resizeArray(records, count);
    for (int i = 0; i < count; ++i) {
        records.setCaption(i, QStringLiteral("[00:%1:07] %2 - Chapter %2 of the long audiobook.mp3"
                                             "\t= Chapter %2: In which a great deal happens")
                                  .arg(10 + i % 40)
                                  .arg(i + 1, 2, 10, QLatin1Char('0')));
        records.setVisible(i, true);
    }
}

// Where Qt shows the menu's entries, in screen coordinates, once it is open.
QList<QRect> shownEntries(QMenu *menu)
{
    menu->popup(QPoint(40, 24));
    QCoreApplication::processEvents();
    QList<QRect> entries;
    for (QAction *action : menu->actions()) {
        const QRect inMenu = menu->actionGeometry(action).intersected(menu->rect());
        if (!inMenu.isEmpty())
            entries.append(QRect(menu->mapToGlobal(inMenu.topLeft()), inMenu.size()));
    }
    menu->hide();
    return entries;
}

} // namespace

TEST(RecordMenuFit, SixtyLongTitlesStayOnALaptopScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_EQ(screen, QRect(0, 0, 1280, 800));
    WindowFixture fixture;
    shell::ActionItemArray &records = *fixture.window().menus().recordList;
    fillRecords(records, 60);
    fixture.window().arrangeRecordMenu(true);
    QMenu *menu = fixture.window().menus().record;
    const QList<QRect> entries = shownEntries(menu);
    EXPECT_TRUE(screen.contains(menu->geometry()));
    for (const QRect &entry : entries)
        EXPECT_TRUE(screen.contains(entry)) << entry.x() << "," << entry.y();
    // Every entry can be reached: shown at once, or by scrolling the one column.
    const bool scrolls = menu->style()->styleHint(QStyle::SH_Menu_Scrollable, nullptr, menu);
    EXPECT_TRUE(scrolls || entries.size() == records.count());
}

TEST(RecordMenuFit, ShortTitlesStillTakeColumns)
{
    WindowFixture fixture;
    shell::ActionItemArray &records = *fixture.window().menus().recordList;
    fillRecords(records, 60);
    for (int i = 0; i < 60; ++i)
        records.setCaption(i, QStringLiteral("Part %1").arg(i + 1));
    EXPECT_TRUE(fixture.window().arrangeRecordMenu(true).active);
    const QList<QRect> entries = shownEntries(fixture.window().menus().record);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const QRect &entry : entries)
        EXPECT_TRUE(screen.contains(entry));
}
