#include "app/menus/profilemenu.h"

#include "album/albumsession.h"
#include "app/window/mainwindow.h"
#include "settings/windowplacement.h"
#include "shell/menu/actionitemarray.h"
#include "shell/dialogs/dialogkit.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QMenu>

ProfileMenu::ProfileMenu(MainWindow &window, album::AlbumSession &session,
                         const QString &settingsFile, const QString &commandLinePath,
                         QObject *parent)
    : QObject(parent), m_window(window), m_session(session), m_settingsFile(settingsFile),
      m_commandLinePath(commandLinePath)
{
    connectCommands();
    showProfiles();
}

void ProfileMenu::connectCommands()
{
    shell::WhatsThis &whatsThis = m_window.whatsThis();
    const MenuTree &menus = m_window.menus();
    whatsThis.connectCommand(m_window.menuItem(QStringLiteral("mProfileNew")),
                             [this] { addProfile(); });
    whatsThis.connectArray(menus.profileList, [this](int index) { selectProfile(index); });
    whatsThis.connectArray(menus.profileDeleteList, [this](int index) { removeProfile(index); });
    connect(menus.profile, &QMenu::aboutToShow, this,
            [this] { removeSubmenu()->setEnabled(m_profiles.count() >= 2); });
}

QAction *ProfileMenu::removeSubmenu() const
{
    return m_window.menuItem(QStringLiteral("mProfileDelete"));
}

void ProfileMenu::loadProfiles()
{
    m_profiles.load(m_settingsFile);
    m_loaded = false;
    showProfiles();
    selectProfile(0);
}

void ProfileMenu::selectProfile(int index)
{
    if (index < 0 || index >= m_profiles.count() || (index == 0 && m_loaded))
        return;
    if (m_profiles.isSwitch(index)) {
        // At the very first start no profile was active: there is no placement to keep.
        if (!m_profiles.active().isEmpty())
            saveWindowPlacement();
        m_profiles.select(index, m_settingsFile);
    }
    m_loaded = true;
    showProfiles();
    loadWindowPlacement();
    m_session.loadProfile(m_profiles.active(), m_commandLinePath);
}

void ProfileMenu::addProfile()
{
    DialogKit &dialogs = m_window.dialogKit();
    const QString name = settings::cleanProfileName(dialogs.inputBox(
        QStringLiteral("Enter new user name:"), QStringLiteral("New User"), QString()));
    const settings::ProfileNameCheck check = settings::checkProfileName(name);
    if (check == settings::ProfileNameCheck::Unsupported) {
        dialogs.messageBox(QStringLiteral("You tried to use unsupported character(s)."),
                           MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    if (check == settings::ProfileNameCheck::Empty)
        return;
    int target = m_profiles.indexOf(name);
    if (target == 0)
        return;
    if (target < 0) {
        target = m_profiles.append(name);
        showProfiles();
    }
    selectProfile(target);
}

void ProfileMenu::removeProfile(int index)
{
    if (index < 1 || index >= m_profiles.count())
        return;
    const MessageResult answer = m_window.dialogKit().messageBox(
        QStringLiteral("All data of the profile will be lost.\r\n"
                       "Are you sure you wish to continue?"),
        MessageButtons::YesNo, MessageIcon::Question, DefaultButton::Second);
    if (answer != MessageResult::Yes)
        return;
    m_profiles.remove(index, m_settingsFile);
    showProfiles();
}

void ProfileMenu::showProfiles()
{
    const MenuTree &menus = m_window.menus();
    const int count = m_profiles.count();
    for (shell::ActionItemArray *array : {menus.profileList, menus.profileDeleteList})
        shell::resizeArray(*array, count);
    for (int i = 0; i < count; ++i) {
        const QString &name = m_profiles.names()[i];
        menus.profileList->setCaption(i, name);
        menus.profileDeleteList->setCaption(i, name);
        menus.profileDeleteList->setEnabled(i, i > 0);
    }
    shell::radioCheckMenuItem(*menus.profileList, m_loaded ? 0 : -1);
    removeSubmenu()->setEnabled(count >= 2);
}

void ProfileMenu::loadWindowPlacement()
{
    const QString &profile = m_profiles.active();
    m_window.dialogKit().setFilterIndex(settings::readFilterIndex(m_settingsFile, profile));
    const settings::WindowPlacement current = m_window.placement();
    const settings::WindowPlacement stored =
        settings::readWindowPlacement(m_settingsFile, profile, current);
    // Nothing stored leaves the window as it is: at the first start, where the desktop puts it.
    if (stored != current)
        m_window.applyPlacement(stored);
}

void ProfileMenu::saveWindowPlacement()
{
    settings::writeWindowPlacement(m_settingsFile, m_profiles.active(), m_window.placement());
}
