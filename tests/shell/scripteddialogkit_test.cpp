#include "shell/dialogs/scripteddialogkit.h"

#include <gtest/gtest.h>

namespace {

QList<DialogCallKind> kindsOf(const QList<DialogCall> &calls)
{
    QList<DialogCallKind> kinds;
    for (const DialogCall &call : calls)
        kinds.append(call.kind);
    return kinds;
}

} // namespace

TEST(ScriptedDialogKit, InputBoxAnswersInQueuedOrderThenEmpty)
{
    ScriptedDialogKit kit;
    kit.queueInputBox("Anna");
    kit.queueInputBox("Ben");
    DialogKit &dialogs = kit;
    EXPECT_EQ(dialogs.inputBox("Enter new user name:", "New User", ""), "Anna");
    EXPECT_EQ(dialogs.inputBox("Enter the text:", "Bookmark Title", "x.mp3"), "Ben");
    EXPECT_EQ(dialogs.inputBox("Enter a new title:", "Playlist Title", "Old"), "");

    const QList<DialogCall> calls = kit.callsOf(DialogCallKind::InputBox);
    ASSERT_EQ(calls.size(), 3);
    EXPECT_EQ(calls[1].texts, QStringList({"Enter the text:", "Bookmark Title", "x.mp3"}));
    EXPECT_EQ(calls[2].texts, QStringList({"Enter a new title:", "Playlist Title", "Old"}));
}

TEST(ScriptedDialogKit, RecordsEveryCallInOrder)
{
    ScriptedDialogKit kit;
    DialogKit &dialogs = kit;
    dialogs.setInputMode(64);
    dialogs.inputBox("Enter the text:", "Playlist Title", "");
    dialogs.setInputMode(1);
    dialogs.clearButtons();
    dialogs.addButton("Cancel");
    dialogs.showHelpContents();

    EXPECT_EQ(kindsOf(kit.calls()),
              QList<DialogCallKind>({DialogCallKind::SetInputMode, DialogCallKind::InputBox,
                                     DialogCallKind::SetInputMode, DialogCallKind::ClearButtons,
                                     DialogCallKind::AddButton, DialogCallKind::ShowHelpContents}));
    EXPECT_EQ(kit.calls()[0].number, 64);
    EXPECT_EQ(kit.calls()[2].number, 1);
    EXPECT_EQ(dialogs.inputMode(), 1);
    kit.clearCalls();
    EXPECT_TRUE(kit.calls().isEmpty());
}

TEST(ScriptedDialogKit, ConfirmedOpenSetsFileNameAndFilterIndex)
{
    ScriptedDialogKit kit;
    DialogKit &dialogs = kit;
    dialogs.setFilter("Audio File (*.mp3)|*.mp3|Media Playlist (*.wpl)|*.wpl|Folder|.|");
    dialogs.setFilterIndex(2);
    dialogs.setInitialFolder("C:\\Music");
    dialogs.setFileName("");
    dialogs.setDialogTitle("Open Album");
    kit.queueOpenConfirmed("C:\\Music\\Tale", 3);

    EXPECT_EQ(dialogs.showOpen(), 1);
    EXPECT_EQ(dialogs.fileName(), "C:\\Music\\Tale");
    EXPECT_EQ(dialogs.filterIndex(), 3);

    const QList<DialogCall> shown = kit.callsOf(DialogCallKind::ShowOpen);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].texts,
              QStringList({"Audio File (*.mp3)|*.mp3|Media Playlist (*.wpl)|*.wpl|Folder|.|",
                           "C:\\Music", "", "Open Album"}));
    EXPECT_EQ(shown[0].number, 2);
    // The result of the dialog is not a call of the program.
    EXPECT_EQ(kit.callsOf(DialogCallKind::SetFileName).size(), 1);
}

TEST(ScriptedDialogKit, CancelledOrUnscriptedOpenChangesNothing)
{
    ScriptedDialogKit kit;
    DialogKit &dialogs = kit;
    dialogs.setFilterIndex(2);
    dialogs.setFileName("C:\\Windows\\notepad.exe");
    kit.queueOpenCancelled();

    EXPECT_EQ(dialogs.showOpen(), 0);
    EXPECT_EQ(dialogs.showOpen(), 0);
    EXPECT_EQ(dialogs.fileName(), "C:\\Windows\\notepad.exe");
    EXPECT_EQ(dialogs.filterIndex(), 2);
    EXPECT_EQ(kit.callsOf(DialogCallKind::ShowOpen).size(), 2);
}

TEST(ScriptedDialogKit, MessageBoxAnswersAndRecordsItsArguments)
{
    ScriptedDialogKit kit;
    kit.queueMessageBox(MessageResult::Yes);
    DialogKit &dialogs = kit;
    const QString question = "All data of the profile will be lost.\r\n"
                             "Are you sure you wish to continue?";
    EXPECT_EQ(dialogs.messageBox(question, MessageButtons::YesNo, MessageIcon::Question,
                                 DefaultButton::Second, "Sonnalby"),
              MessageResult::Yes);
    EXPECT_EQ(dialogs.messageBox("Undecipherable file name:", MessageButtons::Ok,
                                 MessageIcon::Warning, DefaultButton::First, "Sonnalby Message",
                                 120),
              MessageResult::Ok);

    const QList<DialogCall> calls = kit.callsOf(DialogCallKind::MessageBox);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].texts, QStringList({question, "Sonnalby"}));
    EXPECT_EQ(calls[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(calls[0].icon, MessageIcon::Question);
    EXPECT_EQ(calls[0].defaultButton, DefaultButton::Second);
    EXPECT_EQ(calls[0].number, 0);
    EXPECT_EQ(calls[1].number, 120);
}

TEST(ScriptedDialogKit, UnansweredMessageBoxIsDismissed)
{
    ScriptedDialogKit kit;
    DialogKit &dialogs = kit;
    EXPECT_EQ(dialogs.messageBox("q", MessageButtons::YesNo), MessageResult::No);
    EXPECT_EQ(dialogs.messageBox("q", MessageButtons::YesNoCancel), MessageResult::Cancel);
    EXPECT_EQ(dialogs.messageBox("q", MessageButtons::OkCancel), MessageResult::Cancel);
    EXPECT_EQ(dialogs.messageBox("q", MessageButtons::RetryCancel), MessageResult::Cancel);
    EXPECT_EQ(dialogs.messageBox("q", MessageButtons::AbortRetryIgnore), MessageResult::Abort);
    EXPECT_EQ(dialogs.messageBox("q"), MessageResult::Ok);
    EXPECT_EQ(kit.callsOf(DialogCallKind::MessageBox).size(), 6);
}

TEST(ScriptedDialogKit, EmptyCaptionIsTheApplicationTitle)
{
    ScriptedDialogKit kit;
    DialogKit &dialogs = kit;
    dialogs.messageBox("Your copy of the application is up to date.", MessageButtons::Ok,
                       MessageIcon::Information);
    ASSERT_EQ(kit.calls().size(), 1);
    EXPECT_EQ(kit.calls()[0].texts[1], "Sonnalby");
}

TEST(ScriptedDialogKit, ButtonMessageBoxNumbersButtonsFromOne)
{
    ScriptedDialogKit kit;
    kit.queueButtonMessageBox(2);
    DialogKit &dialogs = kit;
    dialogs.addButton("Old");
    dialogs.clearButtons();
    dialogs.addButton("Cancel");
    dialogs.addButton("Download");
    EXPECT_EQ(dialogs.buttons(), QStringList({"Cancel", "Download"}));

    EXPECT_EQ(dialogs.showButtonMessageBox("{\\rtf1 x}", "Sonnalby", MessageIcon::Information), 2);
    EXPECT_EQ(dialogs.showButtonMessageBox("{\\rtf1 y}", "Sonnalby", MessageIcon::None), 0);

    const QList<DialogCall> shown = kit.callsOf(DialogCallKind::ShowButtonMessageBox);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].texts, QStringList({"{\\rtf1 x}", "Sonnalby"}));
    EXPECT_EQ(shown[0].buttonCaptions, QStringList({"Cancel", "Download"}));
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
}

TEST(ScriptedDialogKit, HelpCallsCarryTheHelpFileShown)
{
    ScriptedDialogKit kit;
    DialogKit &dialogs = kit;
    dialogs.setHelpFile("C:\\Program Files\\Sonnalby\\sonnalby.hlp");
    EXPECT_EQ(dialogs.helpFile(), "C:\\Program Files\\Sonnalby\\sonnalby.html");
    dialogs.showWhatsThis(902);

    const QList<DialogCall> calls = kit.callsOf(DialogCallKind::ShowWhatsThis);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].number, 902);
    EXPECT_EQ(calls[0].texts, QStringList({"C:\\Program Files\\Sonnalby\\sonnalby.html"}));
    EXPECT_EQ(kit.callsOf(DialogCallKind::SetHelpFile)[0].texts,
              QStringList({"C:\\Program Files\\Sonnalby\\sonnalby.hlp"}));
}

TEST(HtmlHelpFileFor, ReplacesOnlyTheFileNamesExtension)
{
    EXPECT_EQ(htmlHelpFileFor("\\opt\\sonnalby\\sonnalby.hlp"), "\\opt\\sonnalby\\sonnalby.html");
    EXPECT_EQ(htmlHelpFileFor("C:\\my.dir\\help"), "C:\\my.dir\\help.html");
    EXPECT_EQ(htmlHelpFileFor("C:\\a\\b.c.hlp"), "C:\\a\\b.c.html");
    EXPECT_EQ(htmlHelpFileFor("help"), "help.html");
    EXPECT_EQ(htmlHelpFileFor(""), "");
}
