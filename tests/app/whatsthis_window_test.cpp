#include "windowfixture.h"

#include "app/window/albummenu.h"
#include "app/window/controlstrip.h"
#include "platform/paths.h"
#include "shell/menu/actionitemarray.h"
#include "shell/manual/helpcontext.h"
#include "shell/menu/menuhook.h"
#include "shell/menu/menuitem.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace help = shell::help;

namespace {

class WhatsThisTest : public testing::Test {
protected:
    MainWindow &window() { return fixture.window(); }
    const MenuTree &menus() { return fixture.window().menus(); }
    shell::WhatsThis &whatsThis() { return fixture.window().whatsThis(); }
    QAction *item(const char *name) { return fixture.window().menuItem(QString::fromLatin1(name)); }

    // Counts the runs of the command behind the entry.
    int *countRuns(const char *name)
    {
        whatsThis().connectCommand(item(name), [this] { ++runs; });
        return &runs;
    }

    void openMenu(QMenu *menu)
    {
        menu->popup(QPoint(10, 10));
        QCoreApplication::processEvents();
    }

    void closeMenus()
    {
        shell::WhatsThis::leaveMenuMode();
        QCoreApplication::processEvents();
    }

    void rightClick(QMenu *menu, QAction *action)
    {
        const QPoint at = menu->actionGeometry(action).center();
        QTest::mousePress(menu, Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(menu, Qt::RightButton, Qt::NoModifier, at);
    }

    void showOneAlbum()
    {
        album::AlbumList list;
        list.loadLines(platform::fromNativePath(fixture.folder()) + "\\A & B\\index.wpl====0==");
        window().albumMenu().showAlbumList(list);
    }

    WindowFixture fixture;
    int runs = 0;
};

} // namespace

TEST_F(WhatsThisTest, ACommandChosenFromAnArmedMenuShowsHelpInsteadOfRunning)
{
    countRuns("mFileOpen");
    item("mHelpWhatsThis")->trigger();
    EXPECT_TRUE(whatsThis().isInWhatsThisMode());
    openMenu(menus().file);
    EXPECT_EQ(whatsThis().armedPosition(), 0);
    EXPECT_FALSE(whatsThis().isInWhatsThisMode());
    item("mFileOpen")->trigger();
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::fileOpen}));
    EXPECT_EQ(whatsThis().armedPosition(), -1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the menus are closed";

    item("mFileOpen")->trigger();
    EXPECT_EQ(runs, 1) << "out of the mode the command runs";
    EXPECT_EQ(fixture.shownHelp().size(), 1);
}

TEST_F(WhatsThisTest, ArrayItemsAndSubmenusAreTakenToo)
{
    int chosen = -1;
    whatsThis().connectArray(menus().viewEncodingList, [&chosen](int index) { chosen = index; });
    item("mHelpWhatsThis")->trigger();
    openMenu(menus().view);
    menus().viewEncodingList->action(3)->trigger();
    EXPECT_EQ(chosen, -1);
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::viewEncodingList}));
    menus().viewEncodingList->action(3)->trigger();
    EXPECT_EQ(chosen, 3);
}

TEST_F(WhatsThisTest, ClickingABarTitleInTheModeArmsThatMenu)
{
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    item("mHelpWhatsThis")->trigger();
    QMenuBar *bar = window().menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(menus().help->menuAction()).center());
    EXPECT_TRUE(menus().help->isVisible());
    EXPECT_EQ(whatsThis().armedPosition(), 6);
    item("mHelpAbout")->trigger();
    EXPECT_TRUE(fixture.dialogKit().callsOf(DialogCallKind::MessageBox).isEmpty())
        << "no About box";
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::helpAbout}));
}

TEST_F(WhatsThisTest, AMenuClosedWithoutAChoiceDisarms)
{
    item("mHelpWhatsThis")->trigger();
    openMenu(menus().bookmark);
    EXPECT_EQ(whatsThis().armedPosition(), 3);
    closeMenus();
    EXPECT_EQ(whatsThis().armedPosition(), -1);
    EXPECT_TRUE(fixture.shownHelp().isEmpty());
}

TEST_F(WhatsThisTest, ClickingAControlInTheModeShowsItsHelp)
{
    auto *label = new QLabel("00:00:00");
    label->setObjectName("tlStatus1");
    window().setControlStrip(label);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    item("mHelpWhatsThis")->trigger();
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_FALSE(whatsThis().isInWhatsThisMode());
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::status1}));
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(fixture.shownHelp().size(), 1) << "the mode ended with the first click";
}

TEST_F(WhatsThisTest, EscapeLeavesTheMode)
{
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    item("mHelpWhatsThis")->trigger();
    QTest::keyClick(&window(), Qt::Key_Escape);
    EXPECT_FALSE(whatsThis().isInWhatsThisMode());
    openMenu(menus().file);
    EXPECT_EQ(whatsThis().armedPosition(), -1);
    closeMenus();
}

TEST_F(WhatsThisTest, TheControlPopUpShowsTheControlsHelp)
{
    window().showControlHelpMenu(help::volume);
    EXPECT_TRUE(menus().popup->isVisible());
    EXPECT_TRUE(whatsThis().isContextHelpOpen());
    item("mPopupWhatsThis")->trigger();
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::volume}));
    EXPECT_FALSE(whatsThis().isContextHelpOpen());
    EXPECT_EQ(whatsThis().auxiliaryHelp(), 0);
}

TEST_F(WhatsThisTest, TheControlPopUpDismissedShowsNothingAndTrackingGoesOn)
{
    window().showControlHelpMenu(help::boxStrip);
    closeMenus();
    EXPECT_FALSE(whatsThis().isContextHelpOpen());
    EXPECT_EQ(whatsThis().auxiliaryHelp(), 0);
    EXPECT_TRUE(fixture.shownHelp().isEmpty());
    openMenu(menus().file);
    menus().file->setActiveAction(item("mFileRename"));
    EXPECT_EQ(whatsThis().auxiliaryHelp(), help::fileRename);
    closeMenus();
}

TEST(WhatsThisWithoutHelpFile, HelpTopicsAndThePopUpEntryAreOff)
{
    WindowFixture fixture(false);
    EXPECT_FALSE(fixture.window().menuItem("mHelpTopics")->isEnabled());
    EXPECT_FALSE(fixture.window().menuItem("mPopupWhatsThis")->isEnabled());
    fixture.window().showControlHelpMenu(help::volume);
    fixture.window().menuItem("mPopupWhatsThis")->trigger();
    EXPECT_TRUE(fixture.shownHelp().isEmpty());
    shell::WhatsThis::leaveMenuMode();
}

TEST_F(WhatsThisTest, ARightClickOnAnEntryShowsItsHelpInsteadOfChoosingIt)
{
    countRuns("mFileOpen");
    openMenu(menus().file);
    rightClick(menus().file, item("mFileOpen"));
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::fileOpen}));
    EXPECT_FALSE(menus().file->isVisible());
}

TEST_F(WhatsThisTest, ARightClickOnAnAlbumShowsNoHelpAndKeepsTheMenu)
{
    int chosen = -1;
    whatsThis().connectArray(menus().fileList, [&chosen](int index) { chosen = index; });
    showOneAlbum();
    openMenu(menus().file);
    rightClick(menus().file, menus().fileList->action(0));
    EXPECT_EQ(chosen, -1);
    EXPECT_TRUE(fixture.shownHelp().isEmpty());
    EXPECT_TRUE(menus().file->isVisible());
    ASSERT_TRUE(window().menuHook().highlightedItem());
    EXPECT_EQ(window().menuHook().highlightedItem()->name, "mFileList");
    closeMenus();
}

TEST_F(WhatsThisTest, ARightClickOnARecordShowsTheRecordListsHelp)
{
    menus().recordList->setCaption(0, "01 Intro");
    menus().recordList->setVisible(0, true);
    openMenu(menus().record);
    rightClick(menus().record, menus().recordList->action(0));
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::recordList}));
}

TEST_F(WhatsThisTest, WithoutTheHookQtWouldChooseOnARightButtonRelease)
{
    // The reason for the hook: a plain menu runs its entry on the right button's release.
    QMenu plain;
    QAction *entry = plain.addAction("Entry");
    int chosen = 0;
    QObject::connect(entry, &QAction::triggered, [&chosen] { ++chosen; });
    plain.popup(QPoint(10, 10));
    QCoreApplication::processEvents();
    const QPoint at = plain.actionGeometry(entry).center();
    QTest::mousePress(&plain, Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(&plain, Qt::RightButton, Qt::NoModifier, at);
    EXPECT_EQ(chosen, 1);
}

TEST_F(WhatsThisTest, F1OnAHighlightedEntryShowsItsHelp)
{
    openMenu(menus().file);
    menus().file->setActiveAction(item("mFileRename"));
    QTest::keyClick(menus().file, Qt::Key_F1);
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::fileRename}));
    EXPECT_FALSE(menus().file->isVisible());
}

TEST_F(WhatsThisTest, HighlightingAnAlbumOffersTheCopyAndCCopiesItsCaption)
{
    QSignalSpy tips(&window().menuHook(), &shell::MenuHook::statusTipChanged);
    showOneAlbum();
    openMenu(menus().file);
    menus().file->setActiveAction(menus().fileList->action(0));
    ASSERT_FALSE(tips.isEmpty());
    EXPECT_EQ(tips.last().at(0).toString(), "Press 'C' key to copy the item to the clipboard.");
    QTest::keyClick(menus().file, Qt::Key_C);
    const QString expected =
        platform::toNativePath(platform::fromNativePath(fixture.folder()) + "\\A & B\\index.wpl");
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
    EXPECT_TRUE(menus().file->isVisible());

    menus().file->setActiveAction(item("mFileOpen"));
    EXPECT_EQ(tips.last().at(0).toString(), "");
    closeMenus();
    EXPECT_EQ(tips.last().at(0).toString(), "");
    EXPECT_FALSE(window().menuHook().highlightedItem());
}

TEST_F(WhatsThisTest, CInAMenuWithAMnemonicCIsLeftToTheMenu)
{
    int chosen = 0;
    whatsThis().connectCommand(item("mOptionMultiCol"), [&chosen] { ++chosen; });
    QApplication::clipboard()->setText("before");
    openMenu(menus().option);
    menus().option->setActiveAction(item("mOptionOnTop"));
    QTest::keyClick(menus().option, Qt::Key_C);
    EXPECT_EQ(chosen, 1) << "Multi-&column Menu is chosen by its mnemonic";
    EXPECT_EQ(QApplication::clipboard()->text(), "before");
}

TEST_F(WhatsThisTest, ARightClickOnAControlOpensThePopUpOnReleaseForThatControlsHelp)
{
    auto *strip = new ControlStrip(nullptr, nullptr);
    QObject::connect(strip, &ControlStrip::controlHelpRequested, &window(),
                     &MainWindow::showControlHelpMenu);
    window().setControlStrip(strip);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    QLabel *label = strip->statusLabel(0);
    QTest::mousePress(label, Qt::RightButton);
    EXPECT_FALSE(menus().popup->isVisible()) << "not on the press";
    QTest::mouseRelease(label, Qt::RightButton);
    EXPECT_TRUE(menus().popup->isVisible());
    EXPECT_TRUE(fixture.shownHelp().isEmpty()) << "the release chose nothing";
    item("mPopupWhatsThis")->trigger();
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::status0}));
}

TEST_F(WhatsThisTest, AnEntryWithoutACommandOfItsOwnShowsItsHelpWhenArmed)
{
    QAction *bare = menus().help->addAction("Bare");
    shell::setMenuItemHelpContext(bare, help::helpMenu);
    item("mHelpWhatsThis")->trigger();
    openMenu(menus().help);
    bare->trigger();
    EXPECT_EQ(fixture.shownHelp(), QList<int>({help::helpMenu}));
    EXPECT_EQ(whatsThis().armedPosition(), -1);
}

TEST_F(WhatsThisTest, TheHelpFileNameIsClearedWhileAnEntryIsHighlighted)
{
    const QString helpFile = fixture.dialogKit().helpFile();
    EXPECT_EQ(whatsThis().applicationHelpFile(), helpFile);
    openMenu(menus().file);
    EXPECT_TRUE(whatsThis().applicationHelpFile().isEmpty()) << "a menu opened";
    menus().file->setActiveAction(item("mFileRename"));
    EXPECT_TRUE(whatsThis().applicationHelpFile().isEmpty());
    closeMenus();
    EXPECT_EQ(whatsThis().applicationHelpFile(), helpFile);
}
