#include "app/window/albumdrop.h"

#include "album/albumopener.h"
#include "album/albumsession.h"
#include "album/playlistwriter.h"
#include "platform/paths.h"
#include "shell/dialogs/outsidecommands.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

namespace {

bool isOpenableFile(const QFileInfo &info)
{
    return info.isFile() && (album::isAcceptedAudioFile(info.fileName()) ||
                             album::hasPlaylistExtension(info.fileName()));
}

// The local path of a "file:" address of this computer: without a host, or with "localhost";
// another host's would be taken for a local path. Empty for any other address.
QString localPathOf(const QUrl &url)
{
    if (!url.isLocalFile())
        return QString();
    if (url.host().isEmpty())
        return url.toLocalFile();
    if (url.host().compare(u"localhost", Qt::CaseInsensitive) == 0)
        return url.path(QUrl::FullyDecoded);
    return QString();
}

// Copy when the source offers it, else link; none for a source that only moves.
Qt::DropAction harmlessAction(Qt::DropActions offered)
{
    if (offered & Qt::CopyAction)
        return Qt::CopyAction;
    if (offered & Qt::LinkAction)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

QString droppedPath(const QDropEvent &event)
{
    const QMimeData *data = event.mimeData();
    if (!data || !data->hasUrls() || harmlessAction(event.possibleActions()) == Qt::IgnoreAction)
        return QString();
    return desktopAlbumPath(data->urls());
}

} // namespace

QString desktopAlbumPath(const QList<QUrl> &urls)
{
    const QString local = urls.size() == 1 ? QDir::cleanPath(localPathOf(urls.first())) : QString();
    if (local.isEmpty())
        return QString();
    const QFileInfo info(local);
    if (!info.isAbsolute() || info.isRoot() || !(info.isDir() || isOpenableFile(info)))
        return QString();
    return platform::internalPathFromQt(local);
}

void openAndActivate(album::AlbumSession &session, const QString &path)
{
    const album::AlbumList::Index index = session.openAlbum(path);
    if (index >= 0)
        session.activate(index);
}

AlbumDropTarget::AlbumDropTarget(QWidget &window, album::AlbumSession &session,
                                 shell::OutsideCommands &outside, QObject *parent)
    : QObject(parent), m_window(window), m_session(session), m_outside(outside)
{
    window.setAcceptDrops(true);
    // Controls that take drops of their own (the time box) would otherwise keep these.
    qApp->installEventFilter(this);
}

bool AlbumDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    if (!isOnWindow(watched))
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QString path = droppedPath(*drop);
    if (path.isEmpty()) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(harmlessAction(drop->possibleActions()));
    drop->accept();
    // After the drop has been answered: opening may ask questions in windows of its own, which
    // must not keep the file manager's drag waiting.
    if (type == QEvent::Drop)
        m_outside.post(this, [this, path] { openAndActivate(m_session, path); });
    return true;
}

bool AlbumDropTarget::isOnWindow(QObject *watched) const
{
    const auto *widget = qobject_cast<QWidget *>(watched);
    return widget && widget->window() == &m_window;
}
