#include "platform/paths.h"
#include "shell/manual/helpwindow.h"
#include "shell/dialogs/qtdialogkit.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QWhatsThis>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs act from inside the event loop once ready() holds; the dialogs under test block in exec().
void whenReady(std::function<bool()> ready, std::function<void()> act)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, ready, act] {
        if (!ready())
            return;
        timer->stop();
        timer->deleteLater();
        act();
    });
    timer->start();
}

// Runs act on the next modal dialog of type T once it is shown.
template <typename T> void whenShown(std::function<void(T *)> act)
{
    whenReady([] { return qobject_cast<T *>(QApplication::activeModalWidget()) != nullptr; },
              [act] { act(qobject_cast<T *>(QApplication::activeModalWidget())); });
}

QWidget *whatsThisPopup()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QWhatsThat") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

void closeWhatsThis()
{
    QWhatsThis::hideText();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QAbstractButton *buttonWithText(QMessageBox *box, const QString &text)
{
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

void pressKey(QWidget *widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

const char helpHtml[] = "<html><body><h2><a id=\"h12\"></a>Open Album</h2><p>Opens it.</p>"
                        "<h2 id=\"h13\">Exit</h2></body></html>";

// A help file beside a named program; the kit is told the ".hlp" name.
struct HelpFolder {
    QTemporaryDir dir;
    QString programHelpFile() const { return platform::fromNativePath(dir.filePath("prog.hlp")); }
    bool write(const QByteArray &content) const
    {
        QFile file(dir.filePath("prog.html"));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }
};

} // namespace

TEST(QtDialogKitMessageBox, YesNoQuestionWithNoAsDefault)
{
    QtDialogKit kit(nullptr);
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->windowTitle(), "Sonnalby");
        EXPECT_EQ(box->text(), "All bookmarks for the Album will be lost.\n"
                               "Are you sure you wish to continue?");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(kit.messageBox("All bookmarks for the Album will be lost.\r\n"
                             "Are you sure you wish to continue?",
                             MessageButtons::YesNo, MessageIcon::Question, DefaultButton::Second),
              MessageResult::Yes);
}

TEST(QtDialogKitMessageBox, EveryButtonMapsToItsResult)
{
    struct Case {
        MessageButtons buttons;
        QMessageBox::StandardButton clicked;
        MessageResult expected;
    };
    const Case cases[] = {
        {MessageButtons::Ok, QMessageBox::Ok, MessageResult::Ok},
        {MessageButtons::OkCancel, QMessageBox::Cancel, MessageResult::Cancel},
        {MessageButtons::AbortRetryIgnore, QMessageBox::Abort, MessageResult::Abort},
        {MessageButtons::AbortRetryIgnore, QMessageBox::Retry, MessageResult::Retry},
        {MessageButtons::AbortRetryIgnore, QMessageBox::Ignore, MessageResult::Ignore},
        {MessageButtons::YesNoCancel, QMessageBox::No, MessageResult::No},
        {MessageButtons::RetryCancel, QMessageBox::Retry, MessageResult::Retry},
    };
    QtDialogKit kit(nullptr);
    for (const Case &c : cases) {
        whenShown<QMessageBox>([c](QMessageBox *box) { box->button(c.clicked)->click(); });
        EXPECT_EQ(kit.messageBox("text", c.buttons), c.expected);
    }
}

TEST(QtDialogKitMessageBox, DefaultButtonCountsInTheSetsOrder)
{
    QtDialogKit kit(nullptr);
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ignore));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->defaultButton()->click();
    });
    EXPECT_EQ(kit.messageBox("Remote resource is not accessible now.",
                             MessageButtons::AbortRetryIgnore, MessageIcon::Critical,
                             DefaultButton::Third, "Caption"),
              MessageResult::Ignore);
    // A third default in a two-button box falls back to the first.
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ok));
        box->defaultButton()->click();
    });
    EXPECT_EQ(
        kit.messageBox("t", MessageButtons::OkCancel, MessageIcon::None, DefaultButton::Third),
        MessageResult::Ok);
}

TEST(QtDialogKitMessageBox, TextIsShownAsPlainText)
{
    QtDialogKit kit(nullptr);
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->text(), "<b>C:\\a</b>");
        box->button(QMessageBox::Ok)->click();
    });
    kit.messageBox("<b>C:\\a</b>", MessageButtons::Ok, MessageIcon::Information);
}

TEST(QtDialogKitMessageBox, ApplicationIconIsTheProgramsIcon)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(pixmap));
    QtDialogKit kit(nullptr);
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_FALSE(box->iconPixmap().isNull());
        box->button(QMessageBox::Ok)->click();
    });
    kit.messageBox("About", MessageButtons::Ok, MessageIcon::Application);
    QApplication::setWindowIcon(QIcon());
}

TEST(QtDialogKitMessageBox, HelpButtonShowsTheTopicAndKeepsTheBoxOpen)
{
    HelpFolder help;
    ASSERT_TRUE(help.write(helpHtml));
    QtDialogKit kit(nullptr);
    kit.setHelpFile(help.programHelpFile());
    int shown = 0;
    whenShown<QMessageBox>([&shown](QMessageBox *box) {
        ++shown;
        EXPECT_EQ(box->windowTitle(), "Sonnalby Message");
        ASSERT_NE(box->button(QMessageBox::Help), nullptr);
        box->button(QMessageBox::Help)->click();
        whenReady([] { return whatsThisPopup() && QApplication::activeModalWidget(); },
                  [&shown] {
                      ++shown;
                      closeWhatsThis();
                      auto *again = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                      ASSERT_NE(again, nullptr);
                      again->button(QMessageBox::Ok)->click();
                  });
    });
    EXPECT_EQ(kit.messageBox("Undecipherable file name:", MessageButtons::Ok, MessageIcon::Warning,
                             DefaultButton::First, "Sonnalby Message", 12),
              MessageResult::Ok);
    EXPECT_EQ(shown, 2);
}

TEST(QtDialogKitButtonMessageBox, ShowsRtfAsRichTextAndNumbersButtons)
{
    QtDialogKit kit(nullptr);
    kit.clearButtons();
    kit.addButton("Cancel");
    kit.addButton("Download");
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->windowTitle(), "Sonnalby");
        EXPECT_EQ(box->textFormat(), Qt::RichText);
        EXPECT_TRUE(box->text().startsWith("Version 2.0 is now available to download:<br>"));
        ASSERT_EQ(box->buttons().size(), 2);
        EXPECT_EQ(box->defaultButton(), buttonWithText(box, "Cancel"));
        buttonWithText(box, "Download")->click();
    });
    EXPECT_EQ(kit.showButtonMessageBox("{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue255;}\\f0"
                                       "\\fs16 Version 2.0 is now available to download:\\par "
                                       "\\cf1{\\ul https://www.example.com/x_Setup.exe}}",
                                       "Sonnalby", MessageIcon::None),
              2);

    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "<i>plain</i>");
        buttonWithText(box, "Cancel")->click();
    });
    EXPECT_EQ(kit.showButtonMessageBox("<i>plain</i>", "Sonnalby", MessageIcon::Information), 1);
}

TEST(QtDialogKitInputBox, ReturnsTheTextOrEmptyWhenCancelled)
{
    QtDialogKit kit(nullptr);
    whenShown<QInputDialog>([](QInputDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Bookmark Title");
        EXPECT_EQ(dialog->labelText(), "Enter the text:");
        EXPECT_EQ(dialog->textValue(), "x.mp3 - 00:01:15");
        dialog->setTextValue("Chapter two");
        dialog->accept();
    });
    EXPECT_EQ(kit.inputBox("Enter the text:", "Bookmark Title", "x.mp3 - 00:01:15"), "Chapter two");

    whenShown<QInputDialog>([](QInputDialog *dialog) {
        dialog->setTextValue("typed");
        dialog->reject();
    });
    EXPECT_EQ(kit.inputBox("Enter new user name:", "New User", ""), "");
}

TEST(QtDialogKitHelp, HelpFileIsTheHtmlFileBesideTheNamedOne)
{
    QtDialogKit kit(nullptr);
    kit.setHelpFile("\\opt\\sonnalby\\sonnalby.hlp");
    EXPECT_EQ(kit.helpFile(), "\\opt\\sonnalby\\sonnalby.html");
}

TEST(QtDialogKitHelp, WhatsThisShowsAPopupOnlyForAKnownTopic)
{
    HelpFolder help;
    ASSERT_TRUE(help.write(helpHtml));
    QtDialogKit kit(nullptr);
    kit.setHelpFile(help.programHelpFile());

    kit.showWhatsThis(99);
    EXPECT_EQ(whatsThisPopup(), nullptr);
    kit.showWhatsThis(12);
    EXPECT_NE(whatsThisPopup(), nullptr);
    closeWhatsThis();

    ASSERT_TRUE(help.write("<p id=\"h12"));
    kit.showWhatsThis(12);
    EXPECT_EQ(whatsThisPopup(), nullptr);
}

class QtDialogKitOpen : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QFile audio(folder.filePath("x.mp3"));
        ASSERT_TRUE(audio.open(QIODevice::WriteOnly));
        kit.setFilter("Audio File (*.mp3)|*.mp3|Media Playlist (*.wpl)|*.wpl|Folder|.|");
        kit.setInitialFolder(platform::fromNativePath(folder.path()));
        kit.setFileName("");
        kit.setDialogTitle("Open Album");
    }

    QTemporaryDir folder;
    QtDialogKit kit{nullptr};
};

TEST_F(QtDialogKitOpen, ChosenFileAndFilterIndexAreReadBack)
{
    kit.setFilterIndex(0);
    const QString path = folder.filePath("x.mp3");
    whenShown<QFileDialog>([path](QFileDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Open Album");
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog->selectedNameFilter(), "Audio File (*.mp3)");
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    EXPECT_EQ(kit.showOpen(), 1);
    EXPECT_EQ(kit.fileName(), platform::fromNativePath(path));
    EXPECT_EQ(kit.filterIndex(), 1);
}

TEST_F(QtDialogKitOpen, ABackslashInANameComesBackUndecipherable)
{
    const QString path = folder.filePath("a\\b|c.mp3");
    QFile odd(path);
    ASSERT_TRUE(odd.open(QIODevice::WriteOnly));
    whenShown<QFileDialog>([path](QFileDialog *dialog) {
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    EXPECT_EQ(kit.showOpen(), 1);
    EXPECT_EQ(kit.fileName(),
              platform::fromNativePath(folder.path()) + QStringLiteral("\\a\uFFFDb|c.mp3"));
}

TEST_F(QtDialogKitOpen, CancelChangesNothing)
{
    kit.setFilterIndex(2);
    kit.setFileName(platform::fromNativePath(folder.filePath("x.mp3")));
    whenShown<QFileDialog>([](QFileDialog *dialog) {
        EXPECT_EQ(dialog->selectedNameFilter(), "Media Playlist (*.wpl)");
        dialog->reject();
    });
    EXPECT_EQ(kit.showOpen(), 0);
    EXPECT_EQ(kit.filterIndex(), 2);
    EXPECT_EQ(kit.fileName(), platform::fromNativePath(folder.filePath("x.mp3")));
}

TEST_F(QtDialogKitOpen, PreselectedFolderChoiceChoosesTheFolder)
{
    kit.setFilterIndex(3);
    whenShown<QFileDialog>([](QFileDialog *dialog) {
        EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
        EXPECT_EQ(dialog->selectedNameFilter(), "Folder");
        static_cast<QDialog *>(dialog)->accept();
    });
    EXPECT_EQ(kit.showOpen(), 1);
    EXPECT_EQ(kit.fileName(), platform::fromNativePath(folder.path()));
    EXPECT_EQ(kit.filterIndex(), 3);
}

TEST_F(QtDialogKitOpen, ChoosingTheFolderChoiceSwitchesToFoldersAndBack)
{
    kit.setFilterIndex(2);
    whenShown<QFileDialog>([](QFileDialog *dialog) {
        auto *choices = dialog->findChild<QComboBox *>("fileTypeCombo");
        ASSERT_NE(choices, nullptr);
        pressKey(choices, Qt::Key_Down);
        whenReady([dialog] { return dialog->fileMode() == QFileDialog::Directory; },
                  [dialog, choices] {
                      EXPECT_EQ(choices->count(), 3);
                      EXPECT_EQ(dialog->selectedNameFilter(), "Folder");
                      pressKey(choices, Qt::Key_Up);
                      whenReady(
                          [dialog] { return dialog->fileMode() == QFileDialog::ExistingFile; },
                          [dialog, choices] {
                              EXPECT_EQ(dialog->selectedNameFilter(), "Media Playlist (*.wpl)");
                              pressKey(choices, Qt::Key_Down);
                              whenReady(
                                  [dialog] { return dialog->fileMode() == QFileDialog::Directory; },
                                  [dialog] { static_cast<QDialog *>(dialog)->accept(); });
                          });
                  });
    });
    EXPECT_EQ(kit.showOpen(), 1);
    EXPECT_EQ(kit.fileName(), platform::fromNativePath(folder.path()));
    EXPECT_EQ(kit.filterIndex(), 3);
}

namespace {

// The names the dialog lists in the folder, once its model has read them.
QStringList listedNames(QFileDialog *dialog, const QString &folder)
{
    QAbstractProxyModel *shown = dialog->proxyModel();
    const auto *files = qobject_cast<QFileSystemModel *>(shown->sourceModel());
    const QModelIndex root = shown->mapFromSource(files->index(folder));
    QStringList names;
    for (int row = 0; row < shown->rowCount(root); ++row)
        names.append(shown->index(row, 0, root).data().toString());
    names.sort();
    return names;
}

} // namespace

TEST_F(QtDialogKitOpen, TheProgramChoiceListsExecutableFilesOnly)
{
    QFile program(folder.filePath("tool"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.setPermissions(program.permissions() | QFile::ExeOwner);
    QDir(folder.path()).mkdir("sub");
    kit.setFilter("Programs (*.exe)|*.exe|All Files (*.*)|*.*");
    kit.setFilterIndex(1);
    const QString path = folder.path();
    whenShown<QFileDialog>([path](QFileDialog *dialog) {
        whenReady([dialog, path] { return listedNames(dialog, path).size() == 2; },
                  [dialog, path] {
                      EXPECT_EQ(listedNames(dialog, path), QStringList({"sub", "tool"}));
                      pressKey(dialog->findChild<QComboBox *>("fileTypeCombo"), Qt::Key_Down);
                      whenReady([dialog, path] { return listedNames(dialog, path).size() == 3; },
                                [dialog] { dialog->reject(); });
                  });
    });
    EXPECT_EQ(kit.showOpen(), 0);
}

TEST(HelpWindow, ShowsTheManualAtATopicAndGoesBack)
{
    QTemporaryDir folder;
    QFile manual(folder.filePath("sonnalby.html"));
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.write("<html><body><h1>Contents</h1><a href=\"#h1503\">Tray</a>"
                 "<h3 id=\"h1503\">Hide To System Tray</h3><p>Hides the window.</p></body></html>");
    manual.close();
    shell::HelpWindow window;
    const QString internal = platform::fromNativePath(manual.fileName());
    EXPECT_FALSE(window.showManual(internal + "x", 0)) << "no such file";
    ASSERT_TRUE(window.showManual(internal, 0));
    ASSERT_TRUE(window.showManual(internal, 1503));
    EXPECT_EQ(window.browser()->source().fragment(), "h1503");
    EXPECT_TRUE(window.browser()->isBackwardAvailable());
    window.browser()->backward();
    EXPECT_TRUE(window.browser()->source().fragment().isEmpty());
}
