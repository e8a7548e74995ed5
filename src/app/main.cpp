#include "app/mainwindow.h"
#include "platform/paths.h"
#include "player/mpvplayer.h"
#include "shell/qtdialogkit.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(version::title));
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
    window.show();
    return app.exec();
}
