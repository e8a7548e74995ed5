#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

class Application;
class MprisPlayer;
class MprisRoot;
class PlayerBase;
class QDBusAbstractAdaptor;
class QDBusConnection;

// The program on the session bus as an MPRIS 2 media player, for media keys and the desktop's
// media controls: both interfaces at /org/mpris/MediaPlayer2 under the name
// "org.mpris.MediaPlayer2.<base name>" (with ".instance<pid>" when a test copy already holds
// it). Property changes are announced once the event loop has settled them, Position excepted,
// whose jumps the player's Seeked signal tells.
class MprisBus : public QObject {
    Q_OBJECT
public:
    // The application and the player outlive the object.
    MprisBus(Application &application, PlayerBase &player, QObject *parent = nullptr);

    // Registers on the bus; false, and nothing registered, when there is no bus or the object
    // path is taken.
    bool publish(QDBusConnection bus);

    // Announces at once what changed since the last announcement; nothing while a record loads
    // or ends, whose own events ask again. Runs by itself once the event loop has settled a
    // change.
    void announceChanges();

    MprisRoot &root() const { return *m_root; }
    MprisPlayer &player() const { return *m_player; }

signals:
    // What changed since the last announcement, by interface name.
    void propertiesChanged(const QString &interfaceName, const QVariantMap &changed);

private:
    void watchChanges(Application &application, PlayerBase &player);
    void announceChanges(const QDBusAbstractAdaptor &adaptor);

    const PlayerBase &m_playerBase;
    MprisRoot *m_root = nullptr;
    MprisPlayer *m_player = nullptr;
    QTimer m_announcement;
    // The values last announced, by interface, then property name.
    QHash<QString, QVariantMap> m_announced;
};
