#include "app/controlstrip.h"
#include "app/mainwindow.h"
#include "platform/paths.h"
#include "player/mpvplayer.h"
#include "shell/menuhook.h"
#include "shell/qtdialogkit.h"
#include "version.h"

#include <QApplication>

namespace {

// Puts the control strip into the window and connects what the two show of each other.
void composeWindow(MainWindow &window, MpvPlayer &player)
{
    auto *strip = new ControlStrip(player.widget(), &player);
    QObject::connect(strip, &ControlStrip::controlHelpRequested, &window,
                     &MainWindow::showControlHelpMenu);
    QObject::connect(&window.menuHook(), &shell::MenuHook::statusTipChanged, strip,
                     &ControlStrip::showStatusTip);
    window.setControlStrip(strip);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(version::title));
    QApplication::setApplicationVersion(QString::fromLatin1(version::text));
    QApplication::setOrganizationName(QString::fromLatin1(version::company));

    const QString base = platform::fromNativePath(QApplication::applicationDirPath()) + u'\\' +
                         QString::fromLatin1(version::baseName);
    QtDialogKit dialogKit(nullptr);
    MpvPlayer player;
    MainWindowSetup setup;
    setup.dialogKit = &dialogKit;
    setup.player = &player;
    setup.settingsFile = base + QStringLiteral(".dat");
    setup.helpFile = base + QStringLiteral(".hlp");
    MainWindow window(setup);
    composeWindow(window, player);
    window.show();
    return app.exec();
}
