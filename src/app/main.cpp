#include "app/mainwindow.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(version::title));
    QApplication::setOrganizationName(QString::fromLatin1(version::company));
    MainWindow window;
    window.show();
    return app.exec();
}
