#include "platform/sessionbus.h"

#include <QFileInfo>
#include <QString>

namespace platform {

namespace {

bool hasSessionBus()
{
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists();
}

} // namespace

QDBusConnection sessionBus()
{
    if (!hasSessionBus())
        return QDBusConnection(QStringLiteral("sonnalby-no-session-bus"));
    return QDBusConnection::sessionBus();
}

} // namespace platform
