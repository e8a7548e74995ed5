#include "app/mpris/mprisbus.h"

#include "album/albumsession.h"
#include "app/mpris/mprisplayer.h"
#include "app/mpris/mprisroot.h"
#include "app/program/application.h"
#include "app/window/mainwindow.h"
#include "player/playerbase.h"
#include "player/playersession.h"
#include "version.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QMetaProperty>

namespace {

const QString objectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString serviceName =
    QStringLiteral("org.mpris.MediaPlayer2.") + QString::fromUtf8(version::baseName);
// Position moves all the time while playing; its jumps are told by Seeked.
constexpr char unannounced[] = "Position";

QString interfaceName(const QDBusAbstractAdaptor &adaptor)
{
    const QMetaObject *meta = adaptor.metaObject();
    return QString::fromLatin1(meta->classInfo(meta->indexOfClassInfo("D-Bus Interface")).value());
}

} // namespace

MprisBus::MprisBus(Application &application, PlayerBase &player, QObject *parent)
    : QObject(parent), m_playerBase(player), m_root(new MprisRoot(this, application.window())),
      m_player(new MprisPlayer(this, player, application.playerSession(),
                               application.albumSession(), application.window().outsideCommands()))
{
    m_announcement.setSingleShot(true);
    m_announcement.setInterval(0);
    connect(&m_announcement, &QTimer::timeout, this, qOverload<>(&MprisBus::announceChanges));
    watchChanges(application, player);
    // The values the bus first reads are the ones later changes are told against.
    announceChanges();
}

bool MprisBus::publish(QDBusConnection bus)
{
    if (!bus.isConnected() ||
        !bus.registerObject(objectPath, this, QDBusConnection::ExportAdaptors))
        return false;
    if (!bus.registerService(serviceName) &&
        !bus.registerService(serviceName + QStringLiteral(".instance") +
                             QString::number(QCoreApplication::applicationPid()))) {
        bus.unregisterObject(objectPath);
        return false;
    }
    connect(this, &MprisBus::propertiesChanged, this,
            [bus](const QString &interfaceName, const QVariantMap &changed) mutable {
                QDBusMessage message = QDBusMessage::createSignal(
                    objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                    QStringLiteral("PropertiesChanged"));
                message << interfaceName << changed << QStringList();
                bus.send(message);
            });
    return true;
}

void MprisBus::watchChanges(Application &application, PlayerBase &player)
{
    const auto later = [this] { m_announcement.start(); };
    connect(&player, &PlayerComponent::playStateChange, this, later);
    connect(&player, &PlayerComponent::mediaChange, this, later);
    connect(&player, &PlayerBase::controlsChanged, this, later);
    connect(&player, &PlayerComponent::rateChanged, this, later);
    const RecordList &records = application.records();
    connect(&records, &RecordList::recordsReset, this, later);
    connect(&records, &RecordList::recordChanged, this, later);
    connect(&records, &RecordList::currentChanged, this, later);
    connect(&application.playerSession(), &PlayerSession::chapterChanged, this, later);
    connect(&application.albumSession(), &album::AlbumSession::albumsChanged, this, later);
}

void MprisBus::announceChanges()
{
    // A load or the end of a record passes through states of no meaning to the listener.
    const PlayState state = m_playerBase.playState();
    if (state == PlayState::Transitioning || state == PlayState::MediaEnded)
        return;
    announceChanges(*m_root);
    announceChanges(*m_player);
}

void MprisBus::announceChanges(const QDBusAbstractAdaptor &adaptor)
{
    const QString name = interfaceName(adaptor);
    QVariantMap &announced = m_announced[name];
    QVariantMap changed;
    const QMetaObject *meta = adaptor.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString key = QString::fromLatin1(property.name());
        if (key == QLatin1String(unannounced))
            continue;
        const QVariant value = property.read(&adaptor);
        if (announced.value(key) != value) {
            announced.insert(key, value);
            changed.insert(key, value);
        }
    }
    if (!changed.isEmpty())
        emit propertiesChanged(name, changed);
}
