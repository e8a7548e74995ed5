#include "shell/help/helpcommands.h"

#include "shell/dialogs/outsidecommands.h"

#include "shell/dialogs/dialogkit.h"
#include "shell/manual/helpcontext.h"
#include "shell/update/updatechecker.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QUrl>

namespace shell {

namespace {

// Input mode values the dialog component is given around its button message box.
constexpr int buttonBoxInputMode = -16639;
constexpr int plainInputMode = 1;
constexpr int downloadButton = 2;

QAction *entry(QMenu &menu, const char *name)
{
    return menu.findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// The offer of a newer version: the setup file's address as an underlined blue link.
QString updateOffer(const AppInfo &info, const QString &publishedVersion)
{
    return QStringLiteral("{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue255;}\\f0\\fs16 Version ") +
           publishedVersion + QStringLiteral(" is now available to download:\\par \\cf1{\\ul ") +
           setupFileAddress(info) + QStringLiteral("}}");
}

} // namespace

HelpCommands::HelpCommands(const AppInfo &info, DialogKit &dialogKit, WhatsThis &whatsThis,
                           OutsideCommands &outside, QWidget &window, QMenu &helpMenu,
                           std::function<QString()> playerVersion, const QString &settingsFile,
                           QObject *parent)
    : QObject(parent), m_info(info), m_dialogKit(dialogKit), m_whatsThis(whatsThis),
      m_window(window), m_playerVersion(std::move(playerVersion)),
      m_updateChecker(new UpdateChecker(this)), m_topics(entry(helpMenu, "mHelpTopics")),
      m_update(entry(helpMenu, "mHelpUpdate"))
{
    m_updateChecker->setRemotePath(updateRemotePath(info));
    m_updateChecker->setLocalPath(settingsFile);
    m_updateChecker->setLocalVersion(versionText(info, true));
    connect(m_updateChecker, &UpdateChecker::checked, this,
            [this, &outside](int status, const QString &publishedVersion) {
                outside.post(this, [this, status, publishedVersion] {
                    showUpdateAnswer(status, publishedVersion);
                });
            });

    whatsThis.connectCommand(m_topics, [this] { helpTopics(); });
    whatsThis.connectCommand(m_update, [this] { checkForUpdate(); });
    whatsThis.connectCommand(entry(helpMenu, "mHelpWeb"), [this] { visitWebpage(); });
    QAction *mail = entry(helpMenu, "mHelpMail");
    // Without a mail address there is nobody to write to.
    mail->setEnabled(!mailAddress(info).isEmpty());
    whatsThis.connectCommand(mail, [this] { feedback(); });
    whatsThis.connectCommand(entry(helpMenu, "mHelpAbout"), [this] { about(); });
    auto *f1 = new QShortcut(QKeySequence::HelpContents, &window);
    connect(f1, &QShortcut::activated, this, &HelpCommands::helpOnFocus);
}

void HelpCommands::helpTopics()
{
    if (m_topics->isEnabled())
        m_dialogKit.showHelpContents();
}

void HelpCommands::checkForUpdate()
{
    // One check at a time: the entry waits for the answer.
    if (m_updateChecker->check())
        m_update->setEnabled(false);
}

void HelpCommands::visitWebpage()
{
    QDesktopServices::openUrl(QUrl(productPageAddress(m_info)));
}

void HelpCommands::feedback()
{
    const QString address = feedbackAddress(m_info);
    if (!address.isEmpty())
        QDesktopServices::openUrl(QUrl(address));
}

void HelpCommands::about()
{
    const QString player = m_playerVersion ? m_playerVersion() : QString();
    const QString playerLine =
        player.isEmpty() ? QString() : QStringLiteral("(libmpv: ") + player + u')';
    m_dialogKit.messageBox(aboutText(m_info, playerLine), MessageButtons::Ok,
                           MessageIcon::Application, DefaultButton::First, aboutTitle(m_info));
}

void HelpCommands::helpOnFocus()
{
    if (m_whatsThis.applicationHelpFile().isEmpty() || !m_topics->isEnabled())
        return;
    int topic = help::mainWindow;
    for (const QWidget *widget = QApplication::focusWidget(); widget && widget != &m_window;
         widget = widget->parentWidget()) {
        if (const int number = help::helpContextOf(widget->objectName())) {
            topic = number;
            break;
        }
    }
    m_dialogKit.showHelpTopic(topic);
}

void HelpCommands::showUpdateAnswer(int status, const QString &publishedVersion)
{
    m_update->setEnabled(true);
    if (status < 0) {
        m_dialogKit.messageBox(QStringLiteral("Remote resource is not accessible now.\r\n"
                                              "Please try later."),
                               MessageButtons::Ok, MessageIcon::Critical, DefaultButton::First,
                               m_info.title);
        return;
    }
    if (status == 0) {
        m_dialogKit.messageBox(QStringLiteral("Your copy of the application is up to date."),
                               MessageButtons::Ok, MessageIcon::Information, DefaultButton::First,
                               m_info.title);
        return;
    }
    m_dialogKit.setInputMode(buttonBoxInputMode);
    m_dialogKit.clearButtons();
    m_dialogKit.addButton(QStringLiteral("Cancel"));
    m_dialogKit.addButton(QStringLiteral("Download"));
    const int chosen = m_dialogKit.showButtonMessageBox(updateOffer(m_info, publishedVersion),
                                                        m_info.title, MessageIcon::Information);
    m_dialogKit.setInputMode(plainInputMode);
    if (chosen == downloadButton)
        QDesktopServices::openUrl(QUrl(setupFileAddress(m_info)));
}

} // namespace shell
