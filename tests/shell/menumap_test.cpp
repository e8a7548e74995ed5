#include "shell/menu/actionitemarray.h"
#include "shell/menu/menumap.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace shell;

TEST(MenuMap, EntriesKnowTheirArrayAndIndexOrTheirOwnName)
{
    QMenu file;
    file.addAction("&Open")->setObjectName("mFileOpen");
    QMenu *remove = file.addMenu("&Remove");
    remove->menuAction()->setObjectName("mFileRemove");
    ActionItemArray removeList(remove, "mFileRemoveList", "", 1008);
    removeList.grow();
    file.addSeparator();
    ActionItemArray albums(&file, "mFileList", "", 1009);
    albums.grow();
    albums.grow();
    file.addAction(new QAction(&file)); // unnamed: not in the map

    MenuMap map;
    map.build({&file}, {&removeList, &albums});
    const std::optional<MenuEntry> album = map.find(albums.action(2));
    ASSERT_TRUE(album);
    EXPECT_EQ(album->name, "mFileList");
    EXPECT_EQ(album->index, 2);
    EXPECT_EQ(album->position, 5);
    EXPECT_EQ(album->menu, &file);

    const std::optional<MenuEntry> removed = map.find(remove, 1);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->name, "mFileRemoveList");
    EXPECT_EQ(removed->index, 1);

    const std::optional<MenuEntry> open = map.find(&file, 0);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->name, "mFileOpen");
    EXPECT_EQ(open->index, -1);

    EXPECT_TRUE(map.find(remove->menuAction()));
    EXPECT_FALSE(map.find(file.actions().constLast()));
    EXPECT_FALSE(map.find(&file, 2)) << "an unnamed separator";
    EXPECT_FALSE(map.find(nullptr));
}

TEST(MenuMap, ASnapshotDoesNotFollowLaterChanges)
{
    QMenu record;
    ActionItemArray records(&record, "mRecordList", "", 1201);
    MenuMap map;
    map.build({&record}, {&records});
    records.grow();
    EXPECT_FALSE(map.find(records.action(1)));
    map.build({&record}, {&records});
    EXPECT_TRUE(map.find(records.action(1)));
}
