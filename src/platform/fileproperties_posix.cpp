#include "platform/fileproperties.h"

#include "platform/paths.h"
#include "platform/sessionbus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QStringList>
#include <QUrl>

namespace platform {

namespace {

// The freedesktop file manager interface, which file managers of every desktop offer.
const QString fileManagerService = QStringLiteral("org.freedesktop.FileManager1");
const QString fileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");
const QString showPropertiesMethod = QStringLiteral("ShowItemProperties");

// Long enough for a file manager that the bus has to start first.
constexpr int answerMilliseconds = 5000;

} // namespace

void showFileProperties(const QString &internalPath, std::function<void()> unanswered)
{
    QDBusConnection bus = sessionBus();
    if (!bus.isConnected()) {
        unanswered();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(fileManagerService, fileManagerPath,
                                                       fileManagerService, showPropertiesMethod);
    const QUrl file = QUrl::fromLocalFile(toNativePath(internalPath));
    // The file's address, and no start-up notification id.
    call << QStringList{file.toString(QUrl::FullyEncoded)} << QString();
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, answerMilliseconds));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, unanswered = std::move(unanswered)] {
                         if (watcher->isError())
                             unanswered();
                         watcher->deleteLater();
                     });
}

} // namespace platform
