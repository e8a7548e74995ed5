#pragma once

#include "history/listeningsession.h"

#include <QDialog>
#include <QList>

#include <functional>

class QComboBox;
class QPushButton;
class QTreeWidget;

// The profile's listening history: its sessions newest first, for all albums or one, with the
// time listened per album and per week. Go There asks to go back to where a session began. Not
// modal: listening goes on while it is open.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    // The album's title as the listener knows it, from the album's key.
    using AlbumCaption = std::function<QString(const QString &albumKey)>;

    HistoryWindow(const QList<history::ListeningSession> &sessions, AlbumCaption caption,
                  QWidget *parent = nullptr);

    // Shows these sessions instead (the file read again); the album chosen stays chosen while
    // it has sessions.
    void setSessions(const QList<history::ListeningSession> &sessions);

signals:
    void jumpRequested(const history::ListeningSession &session);

private:
    void fillAlbumFilter();
    void showChosenAlbum();
    void fillSessions(const QList<history::ListeningSession> &sessions);
    void fillTotals(const QList<history::ListeningSession> &sessions);
    void goThere();

    AlbumCaption m_caption;
    QList<history::ListeningSession> m_sessions;
    // What the list shows, row by row.
    QList<history::ListeningSession> m_shown;
    QComboBox *m_albumFilter;
    QTreeWidget *m_sessionList;
    QTreeWidget *m_albumTotals;
    QTreeWidget *m_weekTotals;
    QPushButton *m_goThere;
};
