#include "app/menus/shareplacesmenu.h"

#include "album/albumentry.h"
#include "app/window/mainwindow.h"
#include "places/sharedplaces.h"
#include "platform/paths.h"
#include "settings/settingskeys.h"
#include "settings/settingsstore.h"
#include "shell/dialogs/dialogkit.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QDir>
#include <QSysInfo>

namespace {

const QString caption = QStringLiteral("Share Places");

} // namespace

QString keptComputerName(const QString &typed)
{
    QString kept;
    for (const QChar c : typed) {
        if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format)
            kept += c;
    }
    kept = kept.trimmed();
    if (kept.size() > SharePlacesMenu::longestComputerName)
        kept.truncate(SharePlacesMenu::longestComputerName);
    // A character cut in half would not read back.
    if (!kept.isEmpty() && kept.back().isHighSurrogate())
        kept.chop(1);
    return kept.trimmed();
}

SharePlacesMenu::SharePlacesMenu(MainWindow &window, places::SharedPlaces &places,
                                 const QString &settingsFile, QObject *parent)
    : QObject(parent), m_window(window), m_places(places), m_settingsFile(settingsFile),
      m_entry(window.menuItem(QStringLiteral("mOptionShare")))
{
    m_entry->setCheckable(true);
    window.whatsThis().connectCommand(m_entry, [this] { ask(); });
}

void SharePlacesMenu::load()
{
    using namespace settings::keys;
    const QString folder = album::decodeAlbumPath(
        settings::readSetting(m_settingsFile, mainWindowSection, shareFolderKey));
    const QString computer = keptComputerName(
        settings::readSetting(m_settingsFile, mainWindowSection, shareComputerKey));
    const bool usable = platform::isAbsolutePath(folder) && !computer.isEmpty();
    m_folder = usable ? folder : QString();
    m_computer = usable ? computer : QString();
    m_places.setShare(platform::toNativePath(m_folder), m_computer);
    m_entry->setChecked(!m_folder.isEmpty());
}

void SharePlacesMenu::ask()
{
    DialogKit &dialogs = m_window.dialogKit();
    QString folder = m_folder;
    if (!m_folder.isEmpty()) {
        dialogs.clearButtons();
        for (const char *button : {"&Change...", "&Stop Sharing", "Cancel"})
            dialogs.addButton(tr(button));
        const QString text =
            tr("Places, speeds and bookmarks are shared through %1 as \"%2\".")
                .arg(platform::toNativePath(m_folder).toHtmlEscaped(), m_computer.toHtmlEscaped());
        const int chosen = dialogs.showButtonMessageBox(text, caption, MessageIcon::Question);
        if (chosen == 2)
            apply(QString(), QString());
        if (chosen != 1)
            return;
    }
    if (!askFolder(folder))
        return;
    const QString offered = m_computer.isEmpty() ? QSysInfo::machineHostName() : m_computer;
    const QString computer = keptComputerName(dialogs.inputBox(
        tr("The name of this computer, as the others will show it:"), caption, offered));
    if (!computer.isEmpty())
        apply(folder, computer);
}

bool SharePlacesMenu::askFolder(QString &folder)
{
    DialogKit &dialogs = m_window.dialogKit();
    dialogs.setFilter(tr("Folder") + QStringLiteral("|."));
    dialogs.setFilterIndex(1);
    dialogs.setInitialFolder(folder.isEmpty() ? platform::fromNativePath(QDir::homePath())
                                              : folder);
    dialogs.setFileName(QString());
    dialogs.setDialogTitle(tr("Folder Kept Alike on Your Computers"));
    if (dialogs.showOpen() != 1 || !platform::isAbsolutePath(dialogs.fileName()))
        return false;
    folder = dialogs.fileName();
    return true;
}

void SharePlacesMenu::apply(const QString &folder, const QString &computer)
{
    using namespace settings::keys;
    m_folder = folder;
    m_computer = computer;
    settings::writeSetting(m_settingsFile, mainWindowSection, shareFolderKey,
                           album::encodeAlbumPath(folder));
    settings::writeSetting(m_settingsFile, mainWindowSection, shareComputerKey, computer);
    m_places.setShare(platform::toNativePath(folder), computer);
    m_entry->setChecked(!folder.isEmpty());
}
