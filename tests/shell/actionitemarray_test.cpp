#include "shell/menu/actionitemarray.h"
#include "shell/menu/menuitem.h"
#include "shell/menu/menustyle.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace shell;

namespace {

QStringList entryNames(const QMenu &menu)
{
    QStringList names;
    for (const QAction *action : menu.actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    return names;
}

// A menu with an array between a separator and Exit, as the File menu holds its albums.
class ActionItemArrayTest : public testing::Test {
protected:
    ActionItemArrayTest()
    {
        menu.addAction("Open")->setObjectName("open");
        menu.addSeparator();
        albums = new ActionItemArray(&menu, "mFileList", "", 1009);
        menu.addSeparator();
        menu.addAction("E&xit")->setObjectName("exit");
    }

    QMenu menu;
    ActionItemArray *albums;
};

// The darkest pixel of a menu entry's text, as drawn.
QRgb darkestPixel(const QImage &image, const QRect &area)
{
    QRgb darkest = qRgb(255, 255, 255);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qGray(pixel) < qGray(darkest))
                darkest = pixel;
        }
    }
    return darkest;
}

} // namespace

TEST_F(ActionItemArrayTest, GrowingAddsNamedItemsRightAfterTheLast)
{
    EXPECT_EQ(albums->grow(), 1);
    EXPECT_EQ(albums->grow(), 2);
    EXPECT_EQ(entryNames(menu),
              QStringList({"open", "-", "mFileList0", "mFileList1", "mFileList2", "-", "exit"}));
    EXPECT_EQ(albums->helpContext(2), 1009);
    EXPECT_EQ(albums->indexOf(albums->action(1)), 1);
    EXPECT_EQ(albums->indexOf(menu.actions().constFirst()), -1);
}

TEST_F(ActionItemArrayTest, ShrinkingRemovesFromTheEndAndKeepsItemZero)
{
    albums->grow();
    albums->grow();
    QPointer<QAction> last = albums->action(2);
    albums->shrink(2);
    EXPECT_TRUE(last.isNull()) << "a removed item is destroyed";
    albums->shrink(0);
    EXPECT_EQ(albums->count(), 1);
    EXPECT_EQ(entryNames(menu), QStringList({"open", "-", "mFileList0", "-", "exit"}));
    EXPECT_EQ(albums->grow(), 1);
    EXPECT_EQ(albums->action(1)->objectName(), "mFileList1");
}

TEST_F(ActionItemArrayTest, DeferredItemsGetTheirEntriesInOrderWhenTheMenuShows)
{
    albums->deferEntries();
    for (int i = 1; i <= 3; ++i)
        albums->grow();
    MenuItemState state = albums->item(2);
    state.caption = "Book & Co";
    state.checked = true;
    state.enabled = false;
    albums->setItem(2, state);
    albums->shrink(3);
    EXPECT_EQ(albums->count(), 3);
    EXPECT_EQ(albums->item(2).caption, "Book & Co");
    EXPECT_EQ(entryNames(menu), QStringList({"open", "-", "mFileList0", "-", "exit"}));

    emit menu.aboutToShow();
    EXPECT_EQ(entryNames(menu),
              QStringList({"open", "-", "mFileList0", "mFileList1", "mFileList2", "-", "exit"}));
    QAction *entry = albums->action(2);
    EXPECT_EQ(entry->text(), "Book && Co");
    EXPECT_TRUE(isMenuItemChecked(entry));
    EXPECT_FALSE(albums->item(2).enabled);
    EXPECT_EQ(albums->helpContext(2), 1009);
    QSignalSpy chosen(albums, &ActionItemArray::triggered);
    albums->action(1)->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.first().first().toInt(), 1);
}

TEST_F(ActionItemArrayTest, DescribedItemsAreAskedForOnlyWhenNeeded)
{
    albums->deferEntries();
    for (int i = 1; i <= 4; ++i)
        albums->grow();
    QList<int> asked;
    const auto describe = [&asked](const QString &prefix) {
        return [&asked, prefix](int index) {
            asked << index;
            MenuItemState state;
            state.caption = prefix + QString::number(index);
            state.enabled = index % 2 == 0;
            return state;
        };
    };
    albums->describeItems(describe("Album "));
    EXPECT_EQ(asked, QList<int>({0})) << "only the item with an entry at once";
    EXPECT_EQ(albums->caption(3), "Album 3");
    EXPECT_FALSE(albums->isEnabled(3));
    albums->setCaption(2, "Written");
    EXPECT_EQ(albums->caption(3), "Album 3");
    EXPECT_EQ(asked, QList<int>({0, 3, 2}));

    albums->describeItems(describe("Book "));
    asked.clear();
    emit menu.aboutToShow();
    EXPECT_EQ(asked, QList<int>({1, 2, 3, 4}));
    EXPECT_EQ(albums->action(2)->text(), "Book 2");
    EXPECT_FALSE(albums->action(3)->isEnabled());
    albums->describeItems(describe("Tale "));
    EXPECT_EQ(albums->action(4)->text(), "Tale 4") << "entries shown are described at once";
}

TEST_F(ActionItemArrayTest, AppendFillsTheEmptyItemZeroThenGrows)
{
    EXPECT_EQ(appendMenuItem(*albums, "one", "", "1", 0, false, true), 0);
    EXPECT_EQ(appendMenuItem(*albums, "Help", "112.0", "tag", 0, false, true), 1);
    EXPECT_EQ(albums->action(1)->text(), "Help\tF1");
    EXPECT_EQ(albums->tag(1), "112.0");
}

TEST_F(ActionItemArrayTest, CaptionsShowAnAmpersandLiterally)
{
    albums->setCaption(0, "Rock & Roll\t= [00:01:00] A&B");
    EXPECT_EQ(albums->action(0)->text(), "Rock && Roll\t= [00:01:00] A&&B");
    EXPECT_EQ(albums->caption(0), "Rock & Roll\t= [00:01:00] A&B");
}

TEST_F(ActionItemArrayTest, ADesignMnemonicSurvivesOtherChanges)
{
    auto *editors = new ActionItemArray(&menu, "mOptionEditor", "Set &Text Editor...", 1505);
    editors->setTag(0, "notepad");
    editors->setChecked(0, true);
    EXPECT_EQ(editors->action(0)->text(), "Set &Text Editor...");
    EXPECT_EQ(editors->caption(0), "Set Text Editor...");
}

TEST_F(ActionItemArrayTest, AHiddenItemKeepsItsEnabledState)
{
    albums->setVisible(0, false);
    albums->setEnabled(0, true);
    albums->setVisible(0, true);
    EXPECT_TRUE(albums->action(0)->isEnabled());
    albums->setEnabled(0, false);
    albums->setVisible(0, false);
    albums->setVisible(0, true);
    EXPECT_FALSE(albums->action(0)->isEnabled());
}

TEST_F(ActionItemArrayTest, ChoosingACheckedItemKeepsItsCheckMark)
{
    albums->grow();
    QSignalSpy chosen(albums, &ActionItemArray::triggered);
    radioCheckMenuItem(*albums, 0);
    albums->action(0)->trigger();
    EXPECT_TRUE(albums->isChecked(0));
    EXPECT_TRUE(albums->action(0)->isChecked());
    EXPECT_FALSE(albums->action(1)->isCheckable()) << "no empty check box beside the others";
    albums->action(1)->trigger();
    EXPECT_FALSE(albums->isChecked(1)) << "only the owner checks";
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen[1].at(0).toInt(), 1);
}

TEST_F(ActionItemArrayTest, FindByTagWithNoMatchUnchecksEveryItem)
{
    appendMenuItem(*albums, "Unicode", "", "1200", 0, true, true);
    appendMenuItem(*albums, "Cyrillic", "", "1251", 0, false, true);
    EXPECT_EQ(findMenuItemByTag(*albums, "1251", true), 1);
    EXPECT_EQ(checkedMenuItemIndex(*albums), 1);
    EXPECT_EQ(findMenuItemByTag(*albums, "1253", true), -1);
    EXPECT_EQ(checkedMenuItemIndex(*albums), -1);
    EXPECT_FALSE(albums->action(1)->isChecked());
}

TEST(MenuItem, SetShortcutTextReplacesThePartAfterTheTab)
{
    QAction exit("E&xit\tCtrl+Q");
    setShortcutText(&exit, "Alt+X");
    EXPECT_EQ(exit.text(), "E&xit\tAlt+X");
    setShortcutText(&exit, "");
    EXPECT_EQ(exit.text(), "E&xit");
}

TEST(MenuItem, AHeadingIsBoldNotChoosableAndInTheNormalColour)
{
    MenuStyle style(true);
    QMenu menu;
    menu.setStyle(&style);
    QAction *heading = menu.addAction("Click on item to remove from the list:");
    QAction *normal = menu.addAction("Click on item to remove from the list:");
    QAction *disabled = menu.addAction("Click on item to remove from the list:");
    disabled->setEnabled(false);
    makeHeadingItem(heading);
    EXPECT_TRUE(heading->font().bold());
    EXPECT_FALSE(heading->isEnabled());
    int chosen = 0;
    QObject::connect(heading, &QAction::triggered, [&chosen] { ++chosen; });
    heading->trigger();
    EXPECT_EQ(chosen, 0);

    menu.adjustSize();
    const QImage image = menu.grab().toImage();
    const QRgb headingInk = darkestPixel(image, menu.actionGeometry(heading));
    const QRgb normalInk = darkestPixel(image, menu.actionGeometry(normal));
    const QRgb disabledInk = darkestPixel(image, menu.actionGeometry(disabled));
    EXPECT_EQ(headingInk, normalInk);
    EXPECT_NE(disabledInk, normalInk) << "a plain disabled entry is greyed";
}
