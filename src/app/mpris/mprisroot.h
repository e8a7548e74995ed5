#pragma once

#include <QDBusAbstractAdaptor>
#include <QString>
#include <QStringList>

class MainWindow;

// The program as the desktop's media controls name and reach it (the MPRIS 2 root interface):
// raising shows the window, quitting is File > Exit. Members keep the interface's names.
class MprisRoot : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
public:
    // object carries the interface on the bus; the window outlives it.
    MprisRoot(QObject *object, MainWindow &window);

    bool canQuit() const { return true; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const;
    // The desktop entry's name without ".desktop".
    QString desktopEntry() const;
    // What the player's OpenUri takes: folders, playlists and MP3 files.
    QStringList supportedUriSchemes() const;
    QStringList supportedMimeTypes() const;

public slots:
    // Both act once the call is answered. Raise brings a minimised or hidden window back, as the
    // tray's Restore does.
    void Raise();
    void Quit();

private:
    MainWindow &m_window;
};
