#include "app/mainwindow.h"

#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

TEST(MainWindow, HasTitleAndTheSevenBarMenus)
{
    MainWindow window;
    EXPECT_EQ(window.objectName(), "fwMain");
    EXPECT_EQ(window.windowTitle(), "Sonnalby");
    QStringList captions;
    for (QAction *action : window.menuBar()->actions())
        captions << action->text();
    EXPECT_EQ(captions, QStringList({"&File", "&View", "&Record", "&Bookmark", "&Profile",
                                     "&Option", "&Help"}));
}
