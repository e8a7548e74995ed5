#include "app/mpris/mprisroot.h"

#include "app/window/mainwindow.h"
#include "shell/dialogs/outsidecommands.h"
#include "version.h"

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
    return {QStringLiteral("audio/mpeg"),     QStringLiteral("audio/mp4"),
            QStringLiteral("audio/x-m4b"),    QStringLiteral("audio/aac"),
            QStringLiteral("audio/ogg"),      QStringLiteral("audio/opus"),
            QStringLiteral("audio/flac"),     QStringLiteral("audio/x-ms-wma"),
            QStringLiteral("audio/wav"),      QStringLiteral("application/vnd.ms-wpl"),
            QStringLiteral("inode/directory")};
}

void MprisRoot::Raise()
{
    m_window.outsideCommands().post(&m_window, [window = &m_window] { window->restore(); });
}

// After any question the program asks, as File > Exit would be.
void MprisRoot::Quit()
{
    m_window.outsideCommands().post(&m_window, [window = &m_window] { window->endProgram(); });
}
