#include "../shell/localhttpserver.h"
#include "shell/help/appinfo.h"
#include "shell/help/helpcommands.h"
#include "shell/update/updatechecker.h"
#include "windowfixture.h"

#include <QAction>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Takes the addresses the program asks the desktop to open.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls()
    {
        for (const char *scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~OpenedUrls() override
    {
        for (const char *scheme : {"https", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class HelpCommandsTest : public testing::Test {
protected:
    QAction *item(const char *name) { return fixture.window().menuItem(QString::fromLatin1(name)); }
    QList<DialogCall> calls(DialogCallKind kind) { return fixture.dialogKit().callsOf(kind); }

    // Help > Check for Update against the local server's file, up to the answer.
    void checkForUpdate(const QByteArray &published)
    {
        server.serve("/sonnalby.js", published);
        shell::UpdateChecker &checker = fixture.window().helpCommands().updateChecker();
        checker.setRemotePath(server.address("/sonnalby.js"));
        QSignalSpy checked(&checker, &shell::UpdateChecker::checked);
        item("mHelpUpdate")->trigger();
        EXPECT_FALSE(item("mHelpUpdate")->isEnabled()) << "while the check runs";
        ASSERT_TRUE(checked.wait(10000));
        // The answer waits for a turn of the event loop, as any command from outside.
        EXPECT_TRUE(QTest::qWaitFor([this] { return item("mHelpUpdate")->isEnabled(); }));
        EXPECT_TRUE(item("mHelpUpdate")->isEnabled());
    }

    WindowFixture fixture;
    LocalHttpServer server;
    OpenedUrls opened;
    const shell::AppInfo info = shell::applicationInfo();
};

} // namespace

TEST_F(HelpCommandsTest, HelpTopicsOpensTheManualOnlyWhenItExists)
{
    item("mHelpTopics")->trigger();
    ASSERT_EQ(calls(DialogCallKind::ShowHelpContents).size(), 1);
    EXPECT_TRUE(calls(DialogCallKind::ShowHelpContents)[0].texts[0].endsWith("\\sonnalby.html"));

    WindowFixture withoutFile(false);
    withoutFile.window().menuItem("mHelpTopics")->trigger();
    EXPECT_TRUE(withoutFile.dialogKit().callsOf(DialogCallKind::ShowHelpContents).isEmpty());
}

TEST_F(HelpCommandsTest, AboutShowsTheApplicationAndThePlayersVersion)
{
    item("mHelpAbout")->trigger();
    ASSERT_EQ(calls(DialogCallKind::MessageBox).size(), 1);
    const DialogCall about = calls(DialogCallKind::MessageBox)[0];
    EXPECT_EQ(about.texts[1], shell::aboutTitle(info));
    EXPECT_EQ(about.texts[0], shell::aboutText(info, "(libmpv: Fake player)"));
    EXPECT_EQ(about.icon, MessageIcon::Application);
}

TEST_F(HelpCommandsTest, WebpageAndFeedbackOpenTheMakersAddresses)
{
    item("mHelpWeb")->trigger();
    item("mHelpMail")->trigger();
    EXPECT_EQ(opened.urls, QList<QUrl>({QUrl(shell::productPageAddress(info)),
                                        QUrl(shell::feedbackAddress(info))}));
}

TEST_F(HelpCommandsTest, UpdateUpToDate)
{
    checkForUpdate("version = \"" + shell::versionText(info, true).toLatin1() + "\"\n");
    ASSERT_EQ(calls(DialogCallKind::MessageBox).size(), 1);
    EXPECT_EQ(calls(DialogCallKind::MessageBox)[0].texts,
              QStringList({"Your copy of the application is up to date.", info.title}));
    EXPECT_EQ(calls(DialogCallKind::MessageBox)[0].icon, MessageIcon::Information);
}

TEST_F(HelpCommandsTest, UpdateUnreachable)
{
    checkForUpdate("<html>no such file</html>");
    ASSERT_EQ(calls(DialogCallKind::MessageBox).size(), 1);
    EXPECT_EQ(
        calls(DialogCallKind::MessageBox)[0].texts,
        QStringList({"Remote resource is not accessible now.\r\nPlease try later.", info.title}));
    EXPECT_EQ(calls(DialogCallKind::MessageBox)[0].icon, MessageIcon::Critical);
}

TEST_F(HelpCommandsTest, ANewerVersionIsOfferedAndDownloadOpensTheSetupFile)
{
    fixture.dialogKit().queueButtonMessageBox(1); // Cancel
    checkForUpdate("version = \"99.1\"\n");
    ASSERT_EQ(calls(DialogCallKind::ShowButtonMessageBox).size(), 1);
    const DialogCall offer = calls(DialogCallKind::ShowButtonMessageBox)[0];
    EXPECT_EQ(offer.buttonCaptions, QStringList({"Cancel", "Download"}));
    EXPECT_EQ(offer.texts[0],
              "{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue255;}\\f0\\fs16 Version 99.1 is now "
              "available to download:\\par \\cf1{\\ul " +
                  shell::setupFileAddress(info) + "}}");
    EXPECT_EQ(offer.texts[1], info.title);
    EXPECT_TRUE(opened.urls.isEmpty()) << "Cancel downloads nothing";
    const QList<DialogCall> modes = calls(DialogCallKind::SetInputMode);
    ASSERT_GE(modes.size(), 2);
    EXPECT_EQ(modes[modes.size() - 2].number, -16639);
    EXPECT_EQ(modes.last().number, 1);

    fixture.dialogKit().queueButtonMessageBox(2); // Download
    checkForUpdate("version = \"99.1\"\n");
    EXPECT_EQ(opened.urls, QList<QUrl>({QUrl(shell::setupFileAddress(info))}));
}

TEST_F(HelpCommandsTest, F1OnTheWindowOpensTheTopicOfTheFocusedControl)
{
    auto *label = new QWidget;
    label->setObjectName("tbVolume");
    label->setFocusPolicy(Qt::StrongFocus);
    fixture.window().setControlStrip(label);
    fixture.window().show();
    fixture.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fixture.window()));
    label->setFocus();
    QTest::keyClick(label, Qt::Key_F1);
    ASSERT_EQ(calls(DialogCallKind::ShowHelpTopic).size(), 1);
    EXPECT_EQ(calls(DialogCallKind::ShowHelpTopic)[0].number, 2004);
}

#include "helpcommands_window_test.moc"
