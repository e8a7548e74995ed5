#include "faketray.h"
#include "sessionfixture.h"

#include "../album/qstringprint.h"
#include "album/albumopener.h"
#include "album/albumsession.h"
#include "app/menus/options.h"
#include "app/menus/profilemenu.h"
#include "app/window/controlstrip.h"
#include "app/window/mainwindow.h"
#include "controls/spinbox.h"
#include "platform/codepage.h"
#include "player/playercomponent.h"
#include "settings/settingsstore.h"
#include "shell/manual/helpcontext.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

class ProfilesWindowTest : public testing::Test {
protected:
    void SetUp() override { platform::setAnsiCodePage(1252); }
    void TearDown() override { platform::setAnsiCodePage(0); }

    MainWindow &window() { return fixture.app().window(); }
    const MenuTree &menus() { return window().menus(); }
    ScriptedDialogKit &dialogs() { return fixture.dialogKit(); }
    QStringList profileCaptions()
    {
        QStringList captions;
        for (int i = 0; i < menus().profileList->count(); ++i)
            captions.append(menus().profileList->caption(i));
        return captions;
    }
    QString setting(const QString &section, const QString &key)
    {
        return settings::readSetting(fixture.settingsFile(), section, key);
    }
    void store(const QString &section, const QString &key, const QString &value)
    {
        settings::writeSetting(fixture.settingsFile(), section, key, value);
    }
    void storeProfiles(const QStringList &names)
    {
        settings::writeSectionValues(fixture.settingsFile(), "mProfileList", names);
    }
    void addProfile(const QString &typed)
    {
        dialogs().queueInputBox(typed);
        fixture.item("mProfileNew")->trigger();
    }

    SessionFixture fixture;
};

} // namespace

TEST_F(ProfilesWindowTest, TheFirstStartOnACleanFolderWritesTheLegendTheOptionsAndTheProfile)
{
    fixture.start();
    EXPECT_EQ(fixture.settingsBytes(),
              "[Scheme]\r\n<Path>=<Access>=<Title>=<Codepage>=<Records>=<Duration>=<Volume>=<Marks>"
              "=<Speed>"
              "\r\n<Marks>:=<Path>/<Time>/<Title>|...\r\n[fwMain]\r\nmOptionMinimize=1\r\n"
              "mOptionSysTray=1\r\n[mProfileList]\r\n0=Default\r\n");
    EXPECT_EQ(profileCaptions(), QStringList{"Default"});
    EXPECT_TRUE(menus().profileList->isChecked(0));
    const Options &options = fixture.app().options();
    EXPECT_FALSE(options.isOn(Options::AlwaysOnTop));
    EXPECT_TRUE(options.isOn(Options::MinimizeOnClose));
    EXPECT_TRUE(options.isOn(Options::HideToTray));
    EXPECT_TRUE(options.isOn(Options::MultiColumnMenu));
    EXPECT_TRUE(fixture.item("mOptionMinimize")->isChecked());
    EXPECT_FALSE(fixture.item("mOptionOnTop")->isChecked());
    EXPECT_TRUE(options.mp3Editor().isEmpty());
}

TEST_F(ProfilesWindowTest, SelectingAProfileMovesItToTheTopAndLoadsItsAlbums)
{
    const QString album = fixture.makeThreeTrackAlbum("Tale");
    storeProfiles({"A", "B", "C"});
    fixture.start();
    fixture.openFolder(album);
    fixture.item("mRecordList1")->trigger();
    fixture.drainEvents();
    fixture.player().advance(1);
    menus().profileList->action(2)->trigger();

    EXPECT_EQ(profileCaptions(), QStringList({"C", "A", "B"}));
    EXPECT_TRUE(menus().profileList->isChecked(0));
    EXPECT_FALSE(menus().profileList->isChecked(2));
    EXPECT_EQ(settings::readSectionLines(fixture.settingsFile(), "mProfileList"),
              "0=C\r\n1=A\r\n2=B");
    EXPECT_EQ(window().windowTitle(), "Sonnalby [C]");
    EXPECT_TRUE(fixture.app().albumSession().albums().isEmpty());
    EXPECT_FALSE(menus().record->menuAction()->isEnabled());
    EXPECT_TRUE(fixture.player().url().isEmpty()) << "A's album does not play on under C";
    // The profile left behind kept its listener's place and its window placement.
    const QString lines = settings::readSectionLines(fixture.settingsFile(), "A\\mFileList");
    EXPECT_TRUE(lines.contains("=02.mp3/1/")) << lines.toStdString();
    EXPECT_FALSE(setting("A", "Left").isEmpty());

    const QByteArray before = fixture.settingsBytes();
    menus().profileList->action(0)->trigger();
    EXPECT_EQ(fixture.settingsBytes(), before) << "the loaded profile is not loaded again";
}

TEST_F(ProfilesWindowTest, ChoosingTheLoadedProfileAgainLeavesTheAlbumPlayingWhereItIs)
{
    const QString album = fixture.makeThreeTrackAlbum("Tale");
    fixture.start();
    fixture.openFolder(album);
    fixture.item("mRecordList1")->trigger();
    fixture.drainEvents();
    // Between whole seconds, where a reload's resume mark could not put it back.
    fixture.player().advance(1.5);
    menus().profileList->action(0)->trigger();
    fixture.drainEvents();

    EXPECT_EQ(fixture.player().url(), internal(album + "/02.mp3"));
    EXPECT_EQ(fixture.player().currentPosition(), 1.5);
    EXPECT_EQ(fixture.player().playState(), PlayState::Playing);
    EXPECT_TRUE(menus().profileList->isChecked(0));
}

TEST_F(ProfilesWindowTest, TypedNamesCreateOrSelectProfilesWithoutRegardToCase)
{
    fixture.start();
    addProfile(" b o b ");
    EXPECT_EQ(profileCaptions(), QStringList({"bob", "Default"}));
    EXPECT_EQ(fixture.app().profileMenu().profiles().active(), "bob");
    menus().profileList->action(1)->trigger();
    EXPECT_EQ(profileCaptions(), QStringList({"Default", "bob"}));

    addProfile("BOB");
    EXPECT_EQ(profileCaptions(), QStringList({"bob", "Default"}));
    const QByteArray before = fixture.settingsBytes();
    addProfile("Bob");
    addProfile("");
    EXPECT_EQ(profileCaptions(), QStringList({"bob", "Default"}));
    EXPECT_EQ(fixture.settingsBytes(), before);
    EXPECT_EQ(dialogs().callsOf(DialogCallKind::InputBox).value(0).texts,
              QStringList({"Enter new user name:", "New User", ""}));
}

TEST_F(ProfilesWindowTest, AVeryLongNameIsCutAndEveryOtherProfileKept)
{
    storeProfiles({"Default", "Anna", "Ben"});
    fixture.start();
    addProfile(QString(32767, u'x'));
    EXPECT_EQ(profileCaptions(), QStringList({QString(100, u'x'), "Default", "Anna", "Ben"}));
    fixture.exit();
    fixture.start();
    EXPECT_EQ(profileCaptions(), QStringList({QString(100, u'x'), "Default", "Anna", "Ben"}));
}

TEST_F(ProfilesWindowTest, ANameWithAQuestionMarkIsRefused)
{
    fixture.start();
    const QByteArray before = fixture.settingsBytes();
    addProfile("who?");
    const QList<DialogCall> messages = dialogs().callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].texts.value(0), "You tried to use unsupported character(s).");
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(profileCaptions(), QStringList{"Default"});
    EXPECT_EQ(fixture.settingsBytes(), before);
}

TEST_F(ProfilesWindowTest, RemoveOffersEveryProfileButTheActiveOneAfterAQuestion)
{
    fixture.start();
    QAction *remove = fixture.item("mProfileDelete");
    EXPECT_FALSE(remove->isEnabled());
    addProfile("Anna");
    addProfile("Carl");
    addProfile("Dora");
    EXPECT_TRUE(remove->isEnabled());
    const shell::ActionItemArray &removeItems = *menus().profileDeleteList;
    ASSERT_EQ(removeItems.count(), 4);
    EXPECT_FALSE(removeItems.isEnabled(0));
    EXPECT_EQ(removeItems.caption(2), "Anna");

    dialogs().queueMessageBox(MessageResult::No);
    menus().profileDeleteList->action(2)->trigger();
    EXPECT_EQ(profileCaptions(), QStringList({"Dora", "Carl", "Anna", "Default"}));
    const QList<DialogCall> questions = dialogs().callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0].texts.value(0),
              "All data of the profile will be lost.\r\nAre you sure you wish to continue?");
    EXPECT_EQ(questions[0].defaultButton, DefaultButton::Second);

    dialogs().queueMessageBox(MessageResult::Yes);
    menus().profileDeleteList->action(2)->trigger();
    EXPECT_EQ(profileCaptions(), QStringList({"Dora", "Carl", "Default"}));
    EXPECT_EQ(fixture.app().profileMenu().profiles().active(), "Dora");
    EXPECT_EQ(settings::readSectionLines(fixture.settingsFile(), "mProfileList"),
              "0=Dora\r\n1=Carl\r\n2=Default");
    EXPECT_FALSE(menus().profileDeleteList->isEnabled(0));
    menus().profileDeleteList->action(0)->trigger();
    EXPECT_EQ(profileCaptions().size(), 3);
}

TEST_F(ProfilesWindowTest, TheCommandLinePathIsOpenedInEveryProfileSelected)
{
    const QString album = fixture.makeThreeTrackAlbum("Tale");
    storeProfiles({"A", "B"});
    fixture.start(internal(album));
    EXPECT_EQ(fixture.app().albumSession().albums().count(), 1);
    menus().profileList->action(1)->trigger();
    EXPECT_EQ(fixture.app().albumSession().albums().count(), 1);
    EXPECT_TRUE(fixture.app().albumSession().isAlbumActive());
    EXPECT_EQ(window().windowTitle(), "Sonnalby [B] - " + album + "/index.wpl");
    EXPECT_NE(fixture.player().playState(), PlayState::Playing);
}

// A new profile has no album: nothing of the listener before it may show.
TEST_F(ProfilesWindowTest, ANewProfileShowsAnEmptyPlayer)
{
    fixture.startWithThreeTrackAlbum("Tale");
    ControlStrip &strip = fixture.app().strip();
    fixture.item("mRecordList1")->trigger();
    fixture.drainEvents();
    fixture.player().setRate(1.4);
    fixture.player().setVolume(50);
    fixture.player().advance(10);
    fixture.player().pause();
    fixture.drainEvents();
    ASSERT_TRUE(strip.statusLabel(0)->text().contains("[1.4x]"));

    addProfile("Mia");
    fixture.drainEvents();
    EXPECT_FALSE(strip.statusLabel(0)->text().contains("1.4"))
        << strip.statusLabel(0)->text().toStdString();
    EXPECT_EQ(strip.positionBox()->displayText(), "00:00:00");
    EXPECT_TRUE(strip.statusLabel(1)->text().isEmpty());
    EXPECT_TRUE(strip.statusLabel(2)->text().isEmpty());
    EXPECT_EQ(strip.volumeBox()->value(), 100);
    EXPECT_EQ(fixture.player().rate(), 1.0);

    // Back to the first profile: its album comes back with its own speed and volume.
    menus().profileList->action(1)->trigger();
    fixture.drainEvents();
    EXPECT_EQ(fixture.player().rate(), 1.4);
    EXPECT_EQ(fixture.player().volume(), 50);
}

TEST_F(ProfilesWindowTest, StoredWindowStatesAreApplied)
{
    storeProfiles({"A", "B"});
    store("A", "State", "2");
    store("B", "State", "1");
    store("B", "Left", "33");
    store("B", "Top", "44");
    fixture.start();
    EXPECT_TRUE(window().windowState() & Qt::WindowMaximized);
    menus().profileList->action(1)->trigger();
    EXPECT_TRUE(window().windowState() & Qt::WindowMinimized);
    EXPECT_EQ(setting("A", "State"), "2");
    EXPECT_EQ(window().placement(),
              (settings::WindowPlacement{settings::WindowPlacement::Minimized, 33, 44}));
}

// The offscreen screen is 800 x 800: places stored on a larger screen, or at twice the scale, are
// off it.
TEST_F(ProfilesWindowTest, AStoredPlaceOffEveryScreenComesBackOnIt)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto &[left, top] : {std::pair{"2500", "1400"}, std::pair{"-3000", "300"},
                                    std::pair{"200", "-900"}, std::pair{"1600", "1600"}}) {
        store("Default", "Left", left);
        store("Default", "Top", top);
        fixture.start();
        const QRect inside = window().geometry();
        EXPECT_GE(inside.top(), screen.top()) << left << ',' << top;
        const int height = std::min(100, window().minimumSizeHint().height());
        EXPECT_LE(inside.top() + height, screen.bottom() + 1) << left << ',' << top;
        EXPECT_LE(inside.left() + 100, screen.right() + 1) << left << ',' << top;
        EXPECT_GE(inside.right() + 1, screen.left() + 100) << left << ',' << top;
        fixture.exit();
        EXPECT_EQ(setting("Default", "Left"), QString::number(inside.left()));
    }
    // A place on the screen is kept as it is.
    store("Default", "Left", "120");
    store("Default", "Top", "200");
    fixture.start();
    EXPECT_EQ(window().geometry().topLeft(), QPoint(120, 200));
}

// A window moved where no one can reach it comes back with the next start's hand-over.
TEST_F(ProfilesWindowTest, TheHandOverBringsAWindowOffTheScreenBack)
{
    fixture.start();
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().move(5000, 5000);
    fixture.app().receiveCommand("/i");
    SessionFixture::drainEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window().frameGeometry().topLeft()));
    EXPECT_LE(window().geometry().left() + 100, screen.right() + 1);

    window().move(300, 300);
    fixture.app().receiveCommand("/i");
    SessionFixture::drainEvents();
    EXPECT_EQ(window().pos(), QPoint(300, 300));
}

TEST_F(ProfilesWindowTest, AStoredPlacementComesBackUnchangedAfterARun)
{
    store("Default", "Left", "120");
    store("Default", "Top", "80");
    fixture.start();
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().setWindowState(Qt::WindowMaximized);
    fixture.exit();
    EXPECT_EQ(setting("Default", "Left"), "120");
    EXPECT_EQ(setting("Default", "Top"), "80");
    EXPECT_EQ(setting("Default", "State"), "2");
}

TEST_F(ProfilesWindowTest, AStoredSevenTurnsAnOptionOnAndIsRewrittenAsOne)
{
    store("fwMain", "mOptionOnTop", "7");
    store("fwMain", "mOptionMultiCol", "7");
    fixture.start();
    EXPECT_TRUE(fixture.item("mOptionOnTop")->isChecked());
    EXPECT_TRUE(window().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(setting("fwMain", "mOptionOnTop"), "1");
    EXPECT_FALSE(fixture.item("mOptionMultiCol")->isChecked()) << "only 1 turns it on";
    EXPECT_EQ(setting("fwMain", "mOptionMultiCol"), "7");
}

TEST_F(ProfilesWindowTest, AlwaysOnTopAppliesAtOnceWithoutMovingTheWindow)
{
    fixture.start();
    window().move(50, 60);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    const QPoint place = window().pos();
    fixture.item("mOptionOnTop")->trigger();
    EXPECT_TRUE(window().windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().pos(), place);
    EXPECT_EQ(setting("fwMain", "mOptionOnTop"), "1");
    fixture.item("mOptionOnTop")->trigger();
    EXPECT_FALSE(window().windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(setting("fwMain", "mOptionOnTop"), "0");
}

TEST_F(ProfilesWindowTest, AnOptionSurvivesAProfileSwitch)
{
    fixture.start();
    fixture.item("mOptionMinimize")->trigger();
    addProfile("Anna");
    EXPECT_FALSE(fixture.item("mOptionMinimize")->isChecked());
    EXPECT_FALSE(fixture.app().options().isOn(Options::MinimizeOnClose));
    EXPECT_EQ(setting("fwMain", "mOptionMinimize"), "0");
}

TEST_F(ProfilesWindowTest, TheCloseBoxMinimisesWhileMinimizeOnCloseIsOn)
{
    fixture.start();
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().windowHandle()->close();
    EXPECT_TRUE(window().isMinimized());
    EXPECT_TRUE(window().isVisible());

    fixture.item("mOptionMinimize")->trigger();
    window().showNormal();
    window().windowHandle()->close();
    EXPECT_FALSE(window().isVisible());
}

TEST_F(ProfilesWindowTest, MinimisingHidesBehindAPresentTrayOnlyWithTheOption)
{
    FakeTray tray;
    fixture.start();
    window().setTrayIcon(&tray);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([this] { return window().isHidden(); }));
    EXPECT_TRUE(tray.present);

    // A hand-over shows the icon anew and leaves the hidden window hidden.
    fixture.app().receiveCommand("/i");
    SessionFixture::drainEvents();
    EXPECT_EQ(tray.calls, QStringList({"add", "remove", "add"}));
    EXPECT_TRUE(window().isHidden());
    fixture.exit();
    EXPECT_FALSE(tray.present);
}

// The window goes to the tray at once, not through a minimise request that the window system
// would carry out after the tray had brought the window back.
TEST_F(ProfilesWindowTest, TheCloseBoxHidesBehindTheTrayAtOnceAndStaysMinimisedForTheSave)
{
    FakeTray tray;
    fixture.start();
    window().setTrayIcon(&tray);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().windowHandle()->close();
    EXPECT_TRUE(window().isHidden());
    EXPECT_FALSE(window().isMinimized()) << "no minimise for the window system to carry out late";
    EXPECT_EQ(tray.calls, QStringList{"add"});
    EXPECT_EQ(window().placement().state, settings::WindowPlacement::Minimized);
    fixture.exit();
    EXPECT_EQ(setting("Default", "State"), "1");

    // Shown again, it is a normal window once more.
    fixture.start();
    window().setTrayIcon(&tray);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().windowHandle()->close();
    window().showNormal();
    EXPECT_EQ(window().placement().state, settings::WindowPlacement::Normal);
}

TEST_F(ProfilesWindowTest, WithoutTheOptionMinimisingKeepsTheWindow)
{
    FakeTray tray;
    fixture.start();
    fixture.item("mOptionSysTray")->trigger();
    window().setTrayIcon(&tray);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().showMinimized();
    QTest::qWait(20);
    EXPECT_FALSE(window().isHidden());
    EXPECT_TRUE(tray.calls.isEmpty());
}

TEST_F(ProfilesWindowTest, TheHandOverBringsTheWindowForward)
{
    fixture.start();
    window().show();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    fixture.app().receiveCommand("/x");
    SessionFixture::drainEvents();
    EXPECT_FALSE(window().isActiveWindow());
    fixture.app().receiveCommand("/i");
    SessionFixture::drainEvents();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window()));
}

TEST_F(ProfilesWindowTest, ACancelledProgramChooserChangesNothing)
{
    fixture.start();
    dialogs().setFilterIndex(2);
    dialogs().queueOpenCancelled();
    fixture.item("mOptionEditor1")->trigger();
    const QList<DialogCall> shown = dialogs().callsOf(DialogCallKind::ShowOpen);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].texts, QStringList({"Programs (*.exe)|*.exe|All Files (*.*)|*.*",
                                           internal(QDir::homePath()), "", "Set MP3 Editor"}));
    EXPECT_EQ(shown[0].number, 1);
    EXPECT_EQ(dialogs().filter(), album::openFilter());
    EXPECT_EQ(dialogs().filterIndex(), 2);
    EXPECT_TRUE(fixture.app().options().mp3Editor().isEmpty());
    EXPECT_TRUE(setting("fwMain", "mOptionEditor-1").isEmpty());
}

TEST_F(ProfilesWindowTest, AChosenProgramIsKeptShownAndOffered)
{
    fixture.start();
    const QString editor = internal(fixture.folder()) + "\\Tools\\Ed";
    dialogs().queueOpenConfirmed(editor, 2);
    fixture.item("mOptionEditor0")->trigger();
    EXPECT_EQ(setting("fwMain", "mOptionEditor-0"), editor);
    EXPECT_EQ(fixture.app().options().textEditor(), editor);
    menus().option->popup(QPoint(10, 10));
    QCoreApplication::processEvents();
    menus().option->hide();
    EXPECT_EQ(menus().optionEditor->action(0)->text(),
              "Set &Text Editor...\t[" + (fixture.folder() + "/Tools/Ed").toLower() + "]");
    EXPECT_EQ(menus().optionEditor->action(1)->text(), "Set MP3 &Editor...");
    // The chooser starts in the folder of the program when it exists.
    QDir(fixture.folder()).mkpath("Tools");
    fixture.item("mOptionEditor0")->trigger();
    EXPECT_EQ(dialogs().callsOf(DialogCallKind::ShowOpen).value(1).texts.value(1),
              internal(fixture.folder()) + "\\Tools");
}

TEST_F(ProfilesWindowTest, TheDesktopsTextEditorIsAskedForOnlyWhenNoneIsStoredAndWanted)
{
    int asked = 0;
    fixture.setDefaultTextEditor([&asked] {
        ++asked;
        return QStringLiteral("\\usr\\bin\\gedit");
    });
    fixture.startWithThreeTrackAlbum("Tale");
    EXPECT_EQ(asked, 0);
    menus().file->popup(QPoint(10, 10));
    QCoreApplication::processEvents();
    menus().file->hide();
    EXPECT_TRUE(fixture.item("mFileEditor")->isEnabled());
    EXPECT_EQ(fixture.app().options().textEditor(), "\\usr\\bin\\gedit");
    EXPECT_EQ(asked, 1);

    store("fwMain", "mOptionEditor-0", "\\opt\\kate");
    fixture.start();
    EXPECT_EQ(fixture.app().options().textEditor(), "\\opt\\kate");
    EXPECT_EQ(asked, 1);
}

TEST_F(ProfilesWindowTest, EveryProfileAndOptionCommandInWhatsThisModeOnlyShowsHelp)
{
    fixture.start();
    addProfile("Anna");
    const QByteArray before = fixture.settingsBytes();
    const struct {
        QMenu *menu;
        QAction *action;
        int help;
    } commands[] = {
        {menus().profile, fixture.item("mProfileNew"), shell::help::profileNew},
        {menus().profile, menus().profileList->action(0), shell::help::profileList},
        {menus().profile, menus().profileDeleteList->action(1), shell::help::profileDeleteList},
        {menus().option, fixture.item("mOptionOnTop"), shell::help::optionOnTop},
        {menus().option, fixture.item("mOptionMinimize"), shell::help::optionMinimize},
        {menus().option, fixture.item("mOptionSysTray"), shell::help::optionSysTray},
        {menus().option, fixture.item("mOptionMultiCol"), shell::help::optionMultiCol},
        {menus().option, menus().optionEditor->action(0), shell::help::optionTextEditor},
        {menus().option, menus().optionEditor->action(1), shell::help::optionMp3Editor},
    };
    for (const auto &command : commands) {
        dialogs().clearCalls();
        fixture.item("mHelpWhatsThis")->trigger();
        command.menu->popup(QPoint(10, 10));
        QCoreApplication::processEvents();
        command.action->trigger();
        const QList<DialogCall> calls = dialogs().calls();
        ASSERT_EQ(calls.size(), 1) << command.action->objectName().toStdString();
        EXPECT_EQ(calls[0].kind, DialogCallKind::ShowWhatsThis);
        EXPECT_EQ(calls[0].number, command.help);
    }
    EXPECT_EQ(fixture.settingsBytes(), before);
    EXPECT_TRUE(fixture.item("mOptionMinimize")->isChecked());
}
