#include "app/application.h"
#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/settingspath.h"
#include "platform/paths.h"
#include "platform/signals.h"
#include "player/mpvplayer.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(version::title));
    QApplication::setApplicationVersion(QString::fromLatin1(version::text));
    QApplication::setOrganizationName(QString::fromLatin1(version::company));

    const QString folder = QApplication::applicationDirPath();
    const QString baseName = QString::fromLatin1(version::baseName);
    MpvPlayer player;
    ApplicationSetup setup;
    setup.player = &player;
    setup.playerWidget = player.widget();
    setup.settingsFile = settingsFilePath(
        folder, baseName, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    setup.helpFile = platform::fromNativePath(
        QDir::toNativeSeparators(QDir(folder).filePath(baseName + QStringLiteral(".hlp"))));
    setup.commandLinePath = commandLinePath(QApplication::arguments(), QDir::currentPath());
    Application application(setup);

    MainWindow &window = application.window();
    platform::watchEndRequests(&window, [&window] { window.close(); });
    // The session manager may end the program without a close: save when it asks.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &application,
                     &Application::saveOnEnd);
    application.start();
    window.show();
    return app.exec();
}
