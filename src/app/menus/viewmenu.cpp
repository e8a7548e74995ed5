#include "app/menus/viewmenu.h"

#include "album/albumsession.h"
#include "app/window/mainwindow.h"
#include "app/menus/propertiesdialog.h"
#include "platform/fileproperties.h"
#include "platform/launch.h"
#include "platform/paths.h"
#include "player/playersession.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

ViewMenu::ViewMenu(MainWindow &window, const PlayerSession &session,
                   const album::AlbumSession &albums, QObject *parent)
    : QObject(parent), m_window(window), m_session(session), m_albums(albums),
      m_properties(window.menuItem(QStringLiteral("mViewProperties"))),
      m_editorItem(window.menuItem(QStringLiteral("mViewEditor"))),
      m_sheet(platform::showFileProperties)
{
    connect(window.menus().view, &QMenu::aboutToShow, this, &ViewMenu::showAvailability);
    window.whatsThis().connectCommand(m_properties, [this] { showProperties(); });
    window.whatsThis().connectCommand(m_editorItem, [this] { openInEditor(); });
}

QString ViewMenu::currentRecordPath() const
{
    const RecordList &records = m_session.records();
    const RecordList::Index current = records.current();
    if (current < 0 || current >= records.count() || !records.at(current).enabled)
        return QString();
    return records.pathOf(current);
}

QString ViewMenu::editor() const
{
    return m_editor ? m_editor() : QString();
}

void ViewMenu::showAvailability()
{
    const bool hasRecord = !currentRecordPath().isEmpty();
    m_properties->setEnabled(hasRecord);
    m_editorItem->setEnabled(hasRecord && !editor().isEmpty());
}

void ViewMenu::showProperties()
{
    const QString path = currentRecordPath();
    if (path.isEmpty())
        return;
    // The answer may come after the window has gone.
    QPointer<ViewMenu> self(this);
    m_sheet(path, [self, path] {
        if (self)
            self->showOwnProperties(path);
    });
}

void ViewMenu::showOwnProperties(const QString &path)
{
    const int codePage = int(FixedPoint::parse(m_albums.albums().entry(0).codepage).roundedToInt());
    auto *dialog = new PropertiesDialog(path, codePage, &m_window);
    dialog->show();
}

void ViewMenu::openInEditor()
{
    const QString path = currentRecordPath();
    const QString program = editor();
    if (path.isEmpty() || program.isEmpty())
        return;
    platform::openWithProgram(platform::toNativePath(program), platform::toNativePath(path));
}
