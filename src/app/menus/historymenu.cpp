#include "app/menus/historymenu.h"

#include "album/albumsession.h"
#include "app/window/historywindow.h"
#include "app/window/mainwindow.h"
#include "history/historypath.h"
#include "platform/paths.h"
#include "player/playersession.h"
#include "shell/menu/whatsthis.h"
#include "text/characterreferences.h"

#include <QTimer>

HistoryMenu::HistoryMenu(MainWindow &window, album::AlbumSession &albums, PlayerSession &session,
                         const QTimer &tick, const QString &settingsFile, QObject *parent)
    : QObject(parent), m_window(window), m_albums(albums), m_session(session),
      m_settingsFile(settingsFile)
{
    window.whatsThis().connectCommand(window.menuItem(QStringLiteral("mViewHistory")),
                                      [this] { showHistory(); });
    connect(&session, &PlayerSession::elapsedTimerWanted, this, &HistoryMenu::playbackChanged);
    connect(&session.records(), &RecordList::currentChanged, this, &HistoryMenu::recordChanged);
    connect(&albums, &album::AlbumSession::sessionCleared, this,
            [this] { m_recorder.stopped(m_session.player().currentPosition()); });
    connect(&window, &MainWindow::closing, this,
            [this] { m_recorder.stopped(m_session.player().currentPosition()); });
    connect(&tick, &QTimer::timeout, this,
            [this] { m_recorder.progressed(m_session.player().currentPosition()); });
}

void HistoryMenu::playbackChanged(bool playing)
{
    const PlayerComponent &player = m_session.player();
    if (!playing) {
        m_recorder.stopped(player.currentPosition());
        return;
    }
    if (!m_albums.isAlbumActive() || player.url().isEmpty())
        return;
    m_recorder.setFile(
        history::HistoryFile(history::historyFilePath(m_settingsFile, m_albums.profile())));
    m_recorder.started(m_albums.albums().entry(0).path, player.url(), player.currentPosition());
}

// Another record while playing starts a session of its own, once the player holds it; the
// player's place is still the old record's now.
void HistoryMenu::recordChanged()
{
    if (!m_recorder.isRecording())
        return;
    m_recorder.progressed(m_session.player().currentPosition());
    QTimer::singleShot(0, this, [this] {
        if (m_session.player().wantsToPlay())
            playbackChanged(true);
    });
}

void HistoryMenu::showHistory()
{
    const history::HistoryFile file(history::historyFilePath(m_settingsFile, m_albums.profile()));
    // Titles by album key, read once: the window asks for one per row and total.
    m_titles.clear();
    const album::AlbumList &list = m_albums.albums();
    for (album::AlbumList::Index i = 0; i < list.count(); ++i) {
        const QString title = text::fromCharacterReferenceText(list.entry(i).title);
        if (!title.isEmpty())
            m_titles.insert(list.entry(i).path, title);
    }
    if (m_shown) {
        m_shown->setSessions(file.read());
        m_shown->raise();
        m_shown->activateWindow();
        return;
    }
    // The album's title, else its path as the file manager shows it.
    const auto caption = [this](const QString &albumKey) {
        const QString title = m_titles.value(albumKey);
        return title.isEmpty() ? platform::toNativePath(album::decodeAlbumPath(albumKey)) : title;
    };
    m_shown = new HistoryWindow(file.read(), caption, &m_window);
    m_shown->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_shown, &HistoryWindow::jumpRequested, this, &HistoryMenu::goThere);
    m_shown->show();
}

void HistoryMenu::goThere(const history::ListeningSession &session)
{
    const album::AlbumList &list = m_albums.albums();
    for (album::AlbumList::Index i = 0; i < list.count(); ++i) {
        if (list.entry(i).path != session.album)
            continue;
        if (i != 0 || !m_albums.isAlbumActive())
            m_albums.activate(i);
        if (m_albums.isAlbumActive() && m_albums.albums().entry(0).path == session.album)
            m_session.jumpToMark(session.record, session.fromSeconds);
        return;
    }
}
