#pragma once

#include <QObject>

class MainWindow;

namespace album {
class AlbumSession;
}
namespace shell {
class ActionItemArray;
}

// View > Encoding at work: the check mark shows the active album's code page (none when the menu
// has no entry for it), and choosing another entry reads the album's names again in that code
// page. The entries themselves are laid down with the menus.
class EncodingMenu : public QObject {
    Q_OBJECT
public:
    EncodingMenu(MainWindow &window, album::AlbumSession &session, QObject *parent = nullptr);

private:
    void showCodePage(int codePage);
    // An entry already checked changes nothing; any other becomes the album's encoding.
    void choose(int index);

    album::AlbumSession &m_session;
    shell::ActionItemArray &m_items;
};
