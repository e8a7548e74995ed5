#include "app/mprisroot.h"

#include "app/mainwindow.h"
#include "shell/systemtrayicon.h"
#include "version.h"

#include <QTimer>

MprisRoot::MprisRoot(QObject *object, MainWindow &window)
    : QDBusAbstractAdaptor(object), m_window(window)
{
}

QString MprisRoot::identity() const
{
    return QString::fromUtf8(version::title);
}

QString MprisRoot::desktopEntry() const
{
    return QString::fromUtf8(version::baseName);
}

QStringList MprisRoot::supportedUriSchemes() const
{
    return {QStringLiteral("file")};
}

QStringList MprisRoot::supportedMimeTypes() const
{
    return {QStringLiteral("audio/mpeg"), QStringLiteral("application/vnd.ms-wpl"),
            QStringLiteral("inode/directory")};
}

void MprisRoot::Raise()
{
    QTimer::singleShot(0, &m_window, [window = &m_window] {
        // As the tray's Restore: normal, shown and active, with no icon left standing in for it.
        if (auto *tray = dynamic_cast<shell::SystemTrayIcon *>(window->trayIcon()))
            tray->restore();
    });
}

void MprisRoot::Quit()
{
    QTimer::singleShot(0, &m_window, &MainWindow::endProgram);
}
