#include "app/program/application.h"
#include "app/program/commandline.h"
#include "app/window/mainwindow.h"
#include "app/mpris/mprisbus.h"
#include "app/program/settingspath.h"
#include "platform/paths.h"
#include "platform/programinfo.h"
#include "platform/resourcefolder.h"
#include "platform/sessionbus.h"
#include "platform/shellregistration.h"
#include "platform/signals.h"
#include "platform/singleinstance.h"
#include "player/mpvplayer.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// How long a later start tries to reach the running copy (which may have just taken the lock)
// before it says that it does not answer.
constexpr int handOverTimeoutMs = 3000;

QString configurationFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

// A start that ends without a window says why, in a terminal and on the desktop.
void tellWhyNotStarted(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    QMessageBox::warning(nullptr, QString::fromLatin1(version::title), text);
}

} // namespace

int main(int argc, char *argv[])
{
    // For scripts and package checks, with no display needed; any other command line is the path
    // to open.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s %s\n", version::title, version::text);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(version::title));
    QApplication::setApplicationVersion(QString::fromLatin1(version::text));
    QApplication::setOrganizationName(QString::fromLatin1(version::company));
    // The desktop matches the window to its entry, and so to its name and icon, by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(version::baseName));

    const QString folder = QApplication::applicationDirPath();
    const QString baseName = QString::fromLatin1(version::baseName);
    const QString commandPath = commandLinePath(QApplication::arguments(), QDir::currentPath());
    // A later start hands over and ends: no window, no path opened, no file written.
    platform::SingleInstance instance(
        QString::fromLatin1(version::product),
        QDir::fromNativeSeparators(
            platform::toNativePath(settingsFileLocation(folder, baseName, configurationFolder()))));
    switch (instance.claim()) {
    case platform::SingleInstance::Claim::First:
        break;
    case platform::SingleInstance::Claim::Taken:
        if (instance.sendToRunning(handOverCommand(commandPath), handOverTimeoutMs))
            return 0;
        tellWhyNotStarted(QObject::tr("%1 is already running, but it does not answer.")
                              .arg(QString::fromLatin1(version::title)));
        return 1;
    case platform::SingleInstance::Claim::Failed:
        tellWhyNotStarted(
            QObject::tr("%1 cannot make sure that it runs only once on its settings file.\n%2")
                .arg(QString::fromLatin1(version::title), instance.failure()));
        return 1;
    }

    MpvPlayer player;
    ApplicationSetup setup;
    setup.player = &player;
    setup.playerWidget = player.widget();
    setup.settingsFile = settingsFilePath(folder, baseName, configurationFolder());
    const QString resources = platform::resourceFolder(folder, baseName);
    setup.helpFile = platform::fromNativePath(
        QDir::toNativeSeparators(QDir(resources).filePath(baseName + QStringLiteral(".hlp"))));
    setup.commandLinePath = commandPath;
    setup.defaultTextEditor = [] {
        const QString editor = platform::defaultTextEditor();
        return editor.isEmpty() ? QString() : platform::fromNativePath(editor);
    };
    Application application(setup);
    QObject::connect(&instance, &platform::SingleInstance::commandReceived, &application,
                     &Application::receiveCommand);
    // Media keys and the desktop's media controls, where there is a session bus.
    MprisBus mpris(application, player);
    mpris.publish(platform::sessionBus());

    MainWindow &window = application.window();
    // An end request leaves every event loop, a modal box's included (even during start-up);
    // the program then ends as File > Exit ends it, which saves.
    bool endRequested = false;
    platform::watchEndRequests(&window, [&endRequested] {
        endRequested = true;
        QCoreApplication::exit(0);
    });
    // A window hidden behind the tray icon is not the last one to close: end in any case.
    QObject::connect(&window, &MainWindow::closing, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // The session manager may end the program without a close: save when it asks. It may as
    // well go on (a save of the session, a cancelled logout), so nothing else changes.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &application,
                     &Application::saveSession);
    platform::registerWithShell(QApplication::applicationFilePath(),
                                baseName + QStringLiteral(".desktop"));
    // The first file loads once the window is up.
    player.holdLoads(true);
    application.start();
    int status = 0;
    if (!endRequested) {
        window.show();
        QTimer::singleShot(0, &player, [&player] { player.holdLoads(false); });
        status = app.exec();
    }
    if (endRequested)
        window.endProgram();
    return status;
}
