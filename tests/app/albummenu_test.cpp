#include "windowfixture.h"

#include "app/window/albummenu.h"
#include "platform/paths.h"
#include "shell/menu/actionitemarray.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// A playlist file in the folder; returns its internal path.
QString makePlaylist(const QString &folder, const QString &subfolder)
{
    QDir(folder).mkpath(subfolder);
    const QString path = folder + u'/' + subfolder + QStringLiteral("/index.wpl");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("<smil></smil>");
    return platform::fromNativePath(path);
}

class AlbumMenuTest : public testing::Test {
protected:
    AlbumMenuTest()
    {
        const QString folder = fixture.folder();
        russian = makePlaylist(folder, "Russian");
        missing = platform::fromNativePath(folder + QStringLiteral("/Gone/index.wpl"));
        rock = makePlaylist(folder, "Rock & Roll");
        // Книга, in character references; 3725 seconds is 01:02:05.
        list.loadLines(russian + "=2024:03:05:14:07:09=&#1050;&#1085;&#1080;&#1075;&#1072;" +
                       "=1200=12=3725=80=\r\n" + missing + "=====0==\r\n" + rock +
                       "=2023:12:31:23:59:59=Rock=1252=3=0==");
    }

    MenuTree menus() { return fixture.window().menus(); }
    AlbumMenu &albumMenu() { return fixture.window().albumMenu(); }

    WindowFixture fixture;
    QString russian;
    QString missing;
    QString rock;
    album::AlbumList list;
};

} // namespace

TEST_F(AlbumMenuTest, ThreeAlbumsShowDatePathDurationAndTitle)
{
    ASSERT_EQ(list.count(), 3);
    albumMenu().showAlbumList(list);
    const shell::ActionItemArray &albums = *menus().fileList;
    const album::MonthNames &months = fixture.window().monthNames();
    ASSERT_EQ(albums.count(), 3);
    EXPECT_EQ(albums.caption(0), "[2024 " + months[2] + " 05] " + platform::toNativePath(russian) +
                                     "\t= [01:02:05] " + QString::fromUtf8("Книга"));
    EXPECT_EQ(albums.caption(1), platform::toNativePath(missing));
    EXPECT_EQ(albums.caption(2),
              "[2023 " + months[11] + " 31] " + platform::toNativePath(rock) + "\t= Rock");
    EXPECT_TRUE(albums.isEnabled(0));
    EXPECT_FALSE(albums.isEnabled(1)) << "its playlist is missing";
    EXPECT_TRUE(albums.isEnabled(2));
    EXPECT_EQ(shell::checkedMenuItemIndex(albums), 0);
    EXPECT_TRUE(albums.isVisible(0));
    EXPECT_TRUE(menus().fileListSeparator->isVisible());
    EXPECT_TRUE(fixture.window().menuItem("mFileRemove")->isEnabled());
}

TEST_F(AlbumMenuTest, AnAmpersandInAPathShowsLiterally)
{
    albumMenu().showAlbumList(list);
    const QAction *item = menus().fileList->action(2);
    EXPECT_TRUE(item->text().contains("Rock && Roll"));
    EXPECT_TRUE(menus().fileRemoveList->action(2)->text().endsWith("Rock && Roll/index.wpl"));
}

TEST_F(AlbumMenuTest, RemoveItemsShowThePaths)
{
    albumMenu().showAlbumList(list);
    const shell::ActionItemArray &remove = *menus().fileRemoveList;
    ASSERT_EQ(remove.count(), 3);
    EXPECT_EQ(remove.caption(0), platform::toNativePath(russian));
    EXPECT_EQ(remove.caption(1), platform::toNativePath(missing));
    EXPECT_EQ(remove.caption(2), platform::toNativePath(rock));
    EXPECT_EQ(remove.action(2)->objectName(), "mFileRemoveList2");
}

TEST_F(AlbumMenuTest, ShrinkingKeepsItemZeroOfBothLists)
{
    albumMenu().showAlbumList(list);
    list.removeAt(2);
    list.removeAt(1);
    albumMenu().resizeAlbumList(list, 0);
    EXPECT_EQ(menus().fileList->count(), 1);
    EXPECT_EQ(menus().fileRemoveList->count(), 1);
    EXPECT_EQ(menus().fileList->action(0)->objectName(), "mFileList0");
    EXPECT_TRUE(menus().fileList->isVisible(0));
}

TEST_F(AlbumMenuTest, NoAlbumHidesItemZeroAndDisablesRemove)
{
    albumMenu().showAlbumList(list);
    albumMenu().showAlbumList(album::AlbumList());
    const shell::ActionItemArray &albums = *menus().fileList;
    EXPECT_EQ(albums.count(), 1);
    EXPECT_FALSE(albums.isVisible(0));
    EXPECT_EQ(albums.caption(0), "") << "an empty caption is how the list is known empty";
    EXPECT_EQ(shell::checkedMenuItemIndex(albums), -1);
    EXPECT_EQ(menus().fileRemoveList->count(), 1);
    EXPECT_EQ(menus().fileRemoveList->caption(0), "");
    EXPECT_FALSE(menus().fileListSeparator->isVisible());
    EXPECT_FALSE(fixture.window().menuItem("mFileRemove")->isEnabled());
}

TEST_F(AlbumMenuTest, RefreshOutsideTheListDoesNothing)
{
    albumMenu().showAlbumList(list);
    albumMenu().refreshAlbumItem(list, 3);
    albumMenu().refreshAlbumItem(list, -1);
    EXPECT_EQ(menus().fileList->count(), 3);
}
