#include "app/mprisroot.h"

#include "app/mainwindow.h"
#include "shell/trayicon.h"
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
        // As the tray's Restore: no icon is left standing in for the window.
        if (shell::TrayIcon *tray = window->trayIcon())
            tray->remove();
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->bringToFront();
    });
}

void MprisRoot::Quit()
{
    QTimer::singleShot(0, &m_window, &MainWindow::endProgram);
}
