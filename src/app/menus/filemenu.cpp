#include "app/menus/filemenu.h"

#include "album/albumsession.h"
#include "app/window/albummenu.h"
#include "app/window/mainwindow.h"
#include "shell/menu/actionitemarray.h"
#include "shell/menu/whatsthis.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

FileMenu::FileMenu(MainWindow &window, album::AlbumSession &session, QObject *parent)
    : QObject(parent), m_window(window), m_session(session)
{
    connectCommands();
    connect(window.menus().file, &QMenu::aboutToShow, this, &FileMenu::showAvailability);
    connect(&session, &album::AlbumSession::albumsChanged, this, &FileMenu::showAlbums);
}

void FileMenu::showAlbums()
{
    m_window.albumMenu().showAlbumList(m_session.albums());
    // Album 0 is not always active: a profile whose playlists are all missing has none.
    m_window.menus().fileList->setChecked(0, m_session.isAlbumActive());
}

void FileMenu::connectCommands()
{
    shell::WhatsThis &whatsThis = m_window.whatsThis();
    album::AlbumSession &session = m_session;
    const auto command = [this, &whatsThis](const char *name, std::function<void()> run) {
        whatsThis.connectCommand(m_window.menuItem(QString::fromLatin1(name)), std::move(run));
    };
    command("mFileOpen", [&session] { session.fileOpenCommand(); });
    command("mFileRename", [&session] { session.renameCommand(); });
    command("mFilePlaylist", [&session] { session.recreatePlaylistCommand(); });
    command("mFileEditor", [&session] { session.textEditorCommand(); });
    command("mFileNonFound", [&session] { session.removeNonFoundCommand(); });
    command("mFileExit", [this] { m_window.endProgram(); });
    // The shortcut text beside Exit is already in its caption; this makes the key work.
    m_window.menuItem(QStringLiteral("mFileExit"))
        ->setShortcut(QKeySequence(Qt::AltModifier | Qt::Key_X));

    const MenuTree &menus = m_window.menus();
    whatsThis.connectArray(menus.fileList, [&session](int index) {
        session.activate(album::AlbumList::Index(index));
    });
    whatsThis.connectArray(menus.fileRemoveList, [&session](int index) {
        session.removeFromListCommand(album::AlbumList::Index(index));
    });
}

void FileMenu::showAvailability()
{
    const album::FileMenuAvailability available = m_session.fileMenuAvailability();
    m_window.menuItem(QStringLiteral("mFileRename"))->setEnabled(available.rename);
    m_window.menuItem(QStringLiteral("mFilePlaylist"))->setEnabled(available.recreatePlaylist);
    m_window.menuItem(QStringLiteral("mFileEditor"))->setEnabled(available.textEditor);
    m_window.menuItem(QStringLiteral("mFileNonFound"))->setEnabled(available.removeNonFound);
}
