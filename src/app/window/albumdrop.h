#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class QWidget;

namespace album {
class AlbumSession;
}
namespace shell {
class OutsideCommands;
}

// What the desktop hands over to be opened as an album (a drop on the window, a media
// controller's request): exactly one folder (not the root), ".wpl" playlist or accepted audio file
// of this computer, the choices of the Open dialog. Its internal path; empty for anything else. A
// name an internal path cannot carry comes back undecipherable, which opening refuses with its
// message.
QString desktopAlbumPath(const QList<QUrl> &urls);

// Opens the path and activates its album, as File > Open does with the dialog's choice; a refused
// path shows File > Open's message and changes nothing.
void openAndActivate(album::AlbumSession &session, const QString &path);

// Drops anywhere on the window, its controls included: what desktopAlbumPath accepts is offered
// as a copy or a link (never a move, which would take the files away from the file manager) and
// opened on drop; anything else shows the refusing cursor.
class AlbumDropTarget : public QObject {
    Q_OBJECT
public:
    AlbumDropTarget(QWidget &window, album::AlbumSession &session, shell::OutsideCommands &outside,
                    QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isOnWindow(QObject *watched) const;

    QWidget &m_window;
    album::AlbumSession &m_session;
    shell::OutsideCommands &m_outside;
};
